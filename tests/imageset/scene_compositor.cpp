#include "scene_compositor.h"

#include <algorithm>
#include <cstdlib>

#include "tools/support/png_io.h"

namespace klv::testing {

bool InsideDiamond(std::int32_t px, std::int32_t py, std::int32_t topX, std::int32_t topY) {
    const std::int32_t xs[4] = {topX, topX - 46, topX, topX + 46};
    const std::int32_t ys[4] = {topY, topY + 21, topY + 42, topY + 21};
    bool inside = false;
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        if ((ys[i] <= py && py < ys[j]) || (ys[j] <= py && py < ys[i])) {
            const double x = xs[i] + static_cast<double>(static_cast<std::int64_t>(xs[j] - xs[i]) * (py - ys[i])) / (ys[j] - ys[i]);
            if (px < x) inside = !inside;
        }
    }
    return inside;
}

bool SameIn565(std::uint32_t a, std::uint32_t b) {
    const auto pack = [](std::uint32_t c) { return ((c >> 19) & 0x1F) << 11 | ((c >> 10) & 0x3F) << 5 | ((c >> 3) & 0x1F); };
    return pack(a) == pack(b);
}

std::uint32_t KeyAsRgb(const ImageItem& item) {
    const std::uint32_t c = item.TransparentColor;
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

void DrawPattern(Frame& frame, const ImageItem& item, std::int32_t n, std::int32_t x, std::int32_t y) {
    if (item.Picture.Empty() || n < 0 || n >= item.PatternCount()) return;
    const PatternRect rect = item.PatternAt(n);
    const std::uint32_t key = KeyAsRgb(item);
    for (std::int32_t dy = 0; dy < rect.height; ++dy)
        for (std::int32_t dx = 0; dx < rect.width; ++dx) {
            const std::int32_t sx = rect.x + dx, sy = rect.y + dy, tx = x + dx, ty = y + dy;
            if (sx >= item.Picture.Width || sy >= item.Picture.Height) continue;
            if (tx < 0 || ty < 0 || tx >= frame.Width || ty >= frame.Height) continue;
            const std::uint32_t p = item.Picture.At(sx, sy);
            if (item.Transparent && SameIn565(p, key)) continue;
            frame.Pixels[static_cast<std::size_t>(ty) * static_cast<std::size_t>(frame.Width) + static_cast<std::size_t>(tx)] = p;
        }
}

void DrawOnCell(Frame& frame, const ImageItem& item, std::int32_t n, std::int32_t topX, std::int32_t topY) {
    DrawPattern(frame, item, n, topX - 46, topY + 42 - item.Height());
}

void DrawDiamondOutline(Frame& frame, std::int32_t topX, std::int32_t topY, std::uint32_t colour) {
    const auto line = [&](std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
        const std::int32_t steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (std::int32_t i = 0; i <= steps; ++i) {
            const std::int32_t x = x0 + (x1 - x0) * i / steps, y = y0 + (y1 - y0) * i / steps;
            if (x >= 0 && y >= 0 && x < frame.Width && y < frame.Height)
                frame.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.Width) + static_cast<std::size_t>(x)] = colour;
        }
    };
    line(topX, topY, topX - 46, topY + 21);
    line(topX - 46, topY + 21, topX, topY + 42);
    line(topX, topY + 42, topX + 46, topY + 21);
    line(topX + 46, topY + 21, topX, topY);
}

std::string SaveFrame(const Frame& frame, const std::string& path) {
    return WritePng(path, RgbImageFromPixels(frame.Width, frame.Height, frame.Pixels));
}

}  // namespace klv::testing
