#pragma once
// An image set: the ordered images one palette and one drawing layer use,
// with the picture of each image decoded to pixels.

#include <cstdint>
#include <string>
#include <vector>

namespace klv {

// A decoded picture. Pixels are 0x00RRGGBB, rows top-down, Width * Height of
// them. GraphicClass is the class named in the file ("TDIB", "TBitmap", ...),
// empty when the image has no picture. A picture whose class is not a Windows
// bitmap is kept undecoded in RawData with IsBitmap false, so the palette can
// report it.
struct Picture {
    std::string GraphicClass;
    bool IsBitmap = false;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t BitCount = 0;
    std::vector<std::uint32_t> Pixels;
    std::vector<std::uint8_t> RawData;

    bool Empty() const { return Width <= 0 || Height <= 0 || Pixels.empty(); }
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)]; }
};

struct PatternRect {
    std::int32_t x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const PatternRect&, const PatternRect&) = default;
};

struct ImageItem {
    std::string Name;
    klv::Picture Picture;
    std::int32_t PatternWidth = 0;
    std::int32_t PatternHeight = 0;
    std::int32_t SkipWidth = 0;
    std::int32_t SkipHeight = 0;
    bool Transparent = true;
    std::uint32_t TransparentColor = 0;  // 0x00BBGGRR, low byte red
    bool SystemMemory = false;

    // Pattern geometry: the picture cut into equal patterns numbered row by row.
    std::int32_t PatternW() const;  // PatternWidth when above 0, else picture width
    std::int32_t PatternH() const;  // PatternHeight when above 0, else picture height
    std::int32_t PatternsPerRow() const;
    std::int32_t PatternRows() const;
    std::int32_t PatternCount() const;
    PatternRect PatternAt(std::int32_t n) const;  // caller checks 0 <= n < PatternCount()
    // The height drawing places the image by.
    std::int32_t Height() const { return PatternH(); }
};

struct ImageSet {
    std::vector<ImageItem> Items;
};

}  // namespace klv
