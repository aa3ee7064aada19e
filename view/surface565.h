#pragma once
// A pixel surface in 16-bit 5-6-5, the display format frames are composed in.

#include <cstdint>
#include <vector>

namespace klv {

// A rectangle of a surface's pixels, right and bottom exclusive.
struct PixelClip {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool Empty() const { return Left >= Right || Top >= Bottom; }
};

struct Surface565 {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint16_t> Pixels;  // row-major, Width * Height

    // New size, every pixel 0.
    void Resize(std::int32_t width, std::int32_t height);
    void Fill(std::uint16_t value);
    std::uint16_t At(std::int32_t x, std::int32_t y) const { return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)]; }
    std::uint16_t* Row(std::int32_t y) { return Pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(Width); }
    PixelClip Bounds() const { return {0, 0, Width, Height}; }
};

// Each channel keeps its top bits: r5 = r8 >> 3, g6 = g8 >> 2, b5 = b8 >> 3.
constexpr std::uint16_t Rgb565FromRgb(std::uint32_t rgb /* 0x00RRGGBB */) {
    return static_cast<std::uint16_t>((((rgb >> 19) & 0x1F) << 11) | (((rgb >> 10) & 0x3F) << 5) | ((rgb >> 3) & 0x1F));
}
// Colour values in image sets are 0x00BBGGRR (low byte red).
constexpr std::uint16_t Rgb565FromColorRef(std::uint32_t colorRef) {
    const std::uint32_t rgb = ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
    return Rgb565FromRgb(rgb);
}
// Widened to 8 bits per channel by repeating the top bits.
constexpr std::uint32_t RgbFromRgb565(std::uint16_t p) {
    const std::uint32_t r5 = (p >> 11) & 0x1F, g6 = (p >> 5) & 0x3F, b5 = p & 0x1F;
    return ((r5 << 3 | r5 >> 2) << 16) | ((g6 << 2 | g6 >> 4) << 8) | (b5 << 3 | b5 >> 2);
}

// A 1-pixel line as the canvas draws it: from (x0, y0) towards (x1, y1), the
// final point itself not drawn; clipped to the surface.
//
// One pixel per step along the major axis (x when |dx| >= |dy|), the minor
// coordinate rounded to the nearest pixel. When the ideal line passes exactly
// half-way between two pixels, the one with the smaller minor coordinate is
// lit (smaller y for x-major lines, smaller x for y-major ones), whichever way
// the line runs: the pixel diamond holds its bottom (and left) corner but not
// its top (and right) one. Every pixel follows from a closed form, so a line
// clipped to any rectangle lights exactly the pixels of the whole line that
// fall inside it.
void DrawLine(Surface565& target, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint16_t color);
// The same line in 64-bit coordinates, drawn only inside `clip` (which is cut
// to the surface).
void DrawLineClipped(Surface565& target, const PixelClip& clip, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                     std::uint16_t color);

}  // namespace klv
