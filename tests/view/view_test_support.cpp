#include "view_test_support.h"

#include <algorithm>

namespace klv::test {

ImageItem MakeImage(std::int32_t width, std::int32_t height, const std::function<std::uint32_t(std::int32_t, std::int32_t)>& colour) {
    ImageItem item;
    item.Name = "image";
    item.Picture.GraphicClass = "TDIB";
    item.Picture.IsBitmap = true;
    item.Picture.Width = width;
    item.Picture.Height = height;
    item.Picture.BitCount = 24;
    item.Picture.Pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) item.Picture.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = colour(x, y);
    item.Transparent = false;
    return item;
}

ImageItem SolidImage(std::int32_t width, std::int32_t height, std::uint32_t rgb) {
    return MakeImage(width, height, [rgb](std::int32_t, std::int32_t) { return rgb; });
}

void SetBundle::Prepare() {
    for (int i = 0; i < kLayerSlotCount; ++i) {
        Prepared[static_cast<std::size_t>(i)] = PrepareImageSet(Raw[static_cast<std::size_t>(i)]);
        Sets.Sets[static_cast<std::size_t>(i)] = &Prepared[static_cast<std::size_t>(i)];
    }
}

void PutLayer(LevelState& level, std::int32_t a, std::int32_t b, const std::string& code, std::int32_t tileIndex) {
    auto& cell = level.Cells[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
    cell.LayerCode.assign(code);
    cell.TileIndex = tileIndex;
}

void PutSurface(LevelState& level, std::int32_t a, std::int32_t b, std::int32_t surfaceIndex) {
    level.Cells[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)].SurfaceIndex = surfaceIndex;
}

std::vector<std::pair<std::int64_t, std::int64_t>> ReferenceLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    std::vector<std::pair<std::int64_t, std::int64_t>> pixels;
    const std::int64_t dx = x1 - x0, dy = y1 - y0;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const std::int64_t len = xMajor ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy);
    for (std::int64_t i = 0; i < len; ++i) {
        // Nearest pixel to minor offset num / len; exactly half-way goes to the smaller one.
        const std::int64_t num = (xMajor ? dy : dx) * i;
        std::int64_t q = num / len, r = num % len;
        if (r < 0) {
            q -= 1;
            r += len;
        }
        const std::int64_t minor = 2 * r > len ? q + 1 : q;
        const std::int64_t major = (xMajor ? dx : dy) > 0 ? i : -i;
        if (xMajor) pixels.emplace_back(x0 + major, y0 + minor);
        else pixels.emplace_back(x0 + minor, y0 + major);
    }
    return pixels;
}

namespace {

std::uint16_t To565(std::uint32_t rgb) {
    const std::uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return static_cast<std::uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

std::uint32_t RgbOfColorRef(std::uint32_t ref) { return (ref & 0xFF) << 16 | (ref & 0xFF00) | ((ref >> 16) & 0xFF); }

void ReferenceImage(Surface565& out, const ImageItem& item, std::int64_t x, std::int64_t y, std::int32_t n) {
    const Picture& p = item.Picture;
    if (!p.IsBitmap || p.Width <= 0 || p.Height <= 0) return;
    const std::int64_t w = item.PatternWidth > 0 ? item.PatternWidth : p.Width;
    const std::int64_t h = item.PatternHeight > 0 ? item.PatternHeight : p.Height;
    const std::int64_t stepX = w + item.SkipWidth, stepY = h + item.SkipHeight;
    if (stepX <= 0 || stepY <= 0) return;
    const std::int64_t perRow = (p.Width + item.SkipWidth) / stepX, rows = (p.Height + item.SkipHeight) / stepY;
    if (perRow <= 0 || rows <= 0 || n < 0 || n >= perRow * rows) return;
    const std::int64_t px = (n % perRow) * stepX, py = (n / perRow) * stepY;
    const std::uint16_t key = To565(RgbOfColorRef(item.TransparentColor));
    for (std::int64_t j = 0; j < h; ++j)
        for (std::int64_t i = 0; i < w; ++i) {
            const std::int64_t tx = x + i, ty = y + j;
            if (tx < 0 || ty < 0 || tx >= out.Width || ty >= out.Height) continue;
            const std::uint16_t c = To565(p.At(static_cast<std::int32_t>(px + i), static_cast<std::int32_t>(py + j)));
            if (item.Transparent && c == key) continue;
            out.Pixels[static_cast<std::size_t>(ty * out.Width + tx)] = c;
        }
}

}  // namespace

Surface565 ReferenceCompose(const LevelState& level, const std::array<ImageSet, kLayerSlotCount>& sets, std::int32_t animFrame) {
    Surface565 out;
    out.Resize(level.LevelWidth * 92 + 2, level.LevelHeight * 42 + 2);
    const std::int64_t cx = level.MapPixelWidth / 2, cy = level.MapPixelHeight / 2, vx = level.ViewOffsetX, vy = level.ViewOffsetY;
    const auto line = [&](std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
        for (auto [x, y] : ReferenceLine(x0 - vx, y0 - vy, x1 - vx, y1 - vy))
            if (x >= 0 && y >= 0 && x < out.Width && y < out.Height) out.Pixels[static_cast<std::size_t>(y * out.Width + x)] = 0xFFFF;
    };
    for (std::int64_t c = 0; c <= level.LevelWidth; ++c) line(cx + 46 * c, 21 * c, 46 * c, cy + 21 * c);
    for (std::int64_t c = 0; c <= level.LevelHeight; ++c) line(cx - 46 * c, 21 * c, cx + 46 * (level.LevelHeight - c), cy + 21 * c);

    const std::int32_t w = level.LevelWidth;
    const auto pass = [&](bool surfaces) {
        for (std::int32_t s = 0; s <= 2 * w - 2; ++s)
            for (std::int32_t a = std::max(0, s - w + 1); a <= std::min(s, w - 1); ++a) {
                const std::int32_t b = s - a;
                if (static_cast<std::size_t>(a) >= level.Cells.size() || static_cast<std::size_t>(b) >= level.Cells[a].size()) continue;
                if (static_cast<std::size_t>(a) >= level.CellShapes.size() || static_cast<std::size_t>(b) >= level.CellShapes[a].size()) continue;
                const TCellRecord& cell = level.Cells[a][b];
                const TPoint top = level.CellShapes[a][b].Top;
                int slot = -1, index = 0, pattern = 0;
                if (surfaces) {
                    if (cell.SurfaceIndex == -1) continue;
                    slot = 4;
                    index = cell.SurfaceIndex;
                } else {
                    const std::string_view code = cell.LayerCode.length <= 10 ? cell.LayerCode.text() : std::string_view("?");
                    if (code == "0" || code == "1" || code == "2" || code == "3") slot = code[0] - '0';
                    else continue;
                    index = cell.TileIndex;
                    pattern = slot >= 2 ? animFrame : 0;
                }
                const auto& items = sets[static_cast<std::size_t>(slot)].Items;
                if (index < 0 || static_cast<std::size_t>(index) >= items.size()) continue;
                const ImageItem& item = items[static_cast<std::size_t>(index)];
                const std::int64_t h = item.PatternHeight > 0 ? item.PatternHeight : item.Picture.Height;
                ReferenceImage(out, item, std::int64_t{top.x} - vx - 46, std::int64_t{top.y} - vy + 42 - h, pattern);
            }
    };
    pass(true);
    pass(false);
    return out;
}

Surface565 Crop(const Surface565& whole, const DrawRect& rect) {
    Surface565 out;
    out.Resize(rect.Width, rect.Height);
    for (std::int32_t y = 0; y < rect.Height; ++y)
        for (std::int32_t x = 0; x < rect.Width; ++x) {
            const std::int64_t sx = std::int64_t{rect.Left} + x, sy = std::int64_t{rect.Top} + y;
            if (sx < 0 || sy < 0 || sx >= whole.Width || sy >= whole.Height) continue;
            out.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(rect.Width) + static_cast<std::size_t>(x)] = whole.At(static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy));
        }
    return out;
}

FrameInputs Inputs(const LevelState& level, const LayerImageSets& sets, std::int32_t animFrame) {
    return FrameInputs{level, sets, animFrame, nullptr, {}};
}

}  // namespace klv::test
