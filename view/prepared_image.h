#pragma once
// Images converted once to 5-6-5 when a set is prepared, ready for keyed,
// clipped copies of one pattern at a time.

#include <cstdint>
#include <vector>

#include "model/imageset/image_set.h"
#include "view/surface565.h"

namespace klv {

struct PreparedImage {
    bool Ready = false;                 // false: nothing to draw (no picture, not a bitmap)
    std::int32_t Width = 0, Height = 0; // picture size
    std::vector<std::uint16_t> Pixels;  // picture in 5-6-5
    bool Transparent = true;
    std::uint16_t Key = 0;              // TransparentColor in 5-6-5
    std::int32_t DrawHeight = 0;        // the height placement uses
    std::int32_t PatternCount = 0;
    ImageItem Geometry;                 // pattern properties (picture pixels dropped)

    // Pattern layout: size of one pattern and the distance from one pattern to
    // the next along a row and down a column.
    std::int32_t PatternW = 0, PatternH = 0;
    std::int32_t PatternsPerRow = 0;
    std::int32_t StepX = 0, StepY = 0;

    // Copies pattern n with its top-left at (x, y); clipped on all four
    // sides; pixels equal to Key left out when Transparent. Draws nothing for
    // n outside 0..PatternCount-1 or an image that is not Ready.
    void Draw(Surface565& target, std::int32_t x, std::int32_t y, std::int32_t n) const;
    // The same, drawing only inside `clip` (cut to the surface); 64-bit
    // placement so far-away positions from a loaded file cannot overflow.
    void DrawClipped(Surface565& target, const PixelClip& clip, std::int64_t x, std::int64_t y, std::int32_t n) const;
    // Whether Draw would put anything down for pattern n.
    bool Drawable(std::int32_t n) const { return Ready && n >= 0 && n < PatternCount; }
};

struct PreparedImageSet {
    std::vector<PreparedImage> Images;
    std::int32_t Count() const { return static_cast<std::int32_t>(Images.size()); }
};

PreparedImage PrepareImage(const ImageItem& item);
PreparedImageSet PrepareImageSet(const ImageSet& set);

// The keyed copy of one row: dst[i] keeps its value where src[i] == key.
void CopyRowKeyed(std::uint16_t* dst, const std::uint16_t* src, std::size_t count, std::uint16_t key);

}  // namespace klv
