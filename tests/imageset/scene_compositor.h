#pragma once
// A tiny stand-in for the renderer, for checking where the bundled art lands:
// RGB frame, diamond grid cells, keyed pattern copies at the placement rule.

#include <cstdint>
#include <string>
#include <vector>

#include "model/imageset/image_set.h"

namespace klv::testing {

struct Frame {
    std::int32_t Width = 0, Height = 0;
    std::vector<std::uint32_t> Pixels;  // 0x00RRGGBB
    Frame(std::int32_t w, std::int32_t h, std::uint32_t fill = 0)
        : Width(w), Height(h), Pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)]; }
};

// The picking rule: even-odd crossings towards increasing x, half-open rows.
bool InsideDiamond(std::int32_t px, std::int32_t py, std::int32_t topX, std::int32_t topY);

// The 5-6-5 colour key test the renderer applies.
bool SameIn565(std::uint32_t a, std::uint32_t b);
std::uint32_t KeyAsRgb(const ImageItem& item);

// Draws pattern n with its top-left at (x, y): clipped, keyed when Transparent.
void DrawPattern(Frame& frame, const ImageItem& item, std::int32_t n, std::int32_t x, std::int32_t y);
// Draws an image on the cell whose diamond has its top vertex at (topX, topY).
void DrawOnCell(Frame& frame, const ImageItem& item, std::int32_t n, std::int32_t topX, std::int32_t topY);
void DrawDiamondOutline(Frame& frame, std::int32_t topX, std::int32_t topY, std::uint32_t colour);

std::string SaveFrame(const Frame& frame, const std::string& path);

}  // namespace klv::testing
