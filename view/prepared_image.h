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

    // Copies pattern n with its top-left at (x, y); clipped on all four
    // sides; pixels equal to Key left out when Transparent. Draws nothing for
    // n outside 0..PatternCount-1 or an image that is not Ready.
    void Draw(Surface565& target, std::int32_t x, std::int32_t y, std::int32_t n) const;
};

struct PreparedImageSet {
    std::vector<PreparedImage> Images;
    std::int32_t Count() const { return static_cast<std::int32_t>(Images.size()); }
};

PreparedImageSet PrepareImageSet(const ImageSet& set);

}  // namespace klv
