#include "editing/placement.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace klv {

bool PointInPolygon(TPoint point, const TPoint* vertices, int count) {
    if (vertices == nullptr || count <= 0) return false;
    const std::int64_t px = point.x;
    const std::int64_t py = point.y;
    bool inside = false;
    for (int i = 0; i < count; ++i) {
        const int j = (i == count - 1) ? 0 : i + 1;
        const std::int64_t xi = vertices[i].x, yi = vertices[i].y;
        const std::int64_t xj = vertices[j].x, yj = vertices[j].y;
        if (!((yi <= py && py < yj) || (yj <= py && py < yi))) continue;
        // Both factors lie within 2^32 of zero, so the product fits 64 bits
        // unless both are close to that bound; then long double, whose 64-bit
        // mantissa still holds it exactly, takes over.
        const std::int64_t dx = xj - xi;
        const std::int64_t dy = py - yi;
        double offset = 0.0;
        const std::int64_t limit = std::numeric_limits<std::int64_t>::max();
        if (dy == 0 || (dx < 0 ? -dx : dx) <= limit / (dy < 0 ? -dy : dy)) {
            offset = static_cast<double>(dx * dy) / static_cast<double>(yj - yi);
        } else {
            offset = static_cast<double>(static_cast<long double>(dx) * static_cast<long double>(dy) /
                                         static_cast<long double>(yj - yi));
        }
        if (static_cast<double>(px) < static_cast<double>(xi) + offset) inside = !inside;
    }
    return inside;
}

bool PointInCell(TPoint mapPoint, const TCellShape& shape) {
    const TPoint vertices[4] = {shape.Top, shape.Left, shape.Bottom, shape.Right};
    return PointInPolygon(mapPoint, vertices, 4);
}

std::optional<std::int32_t> SelectedTileIndex(std::string_view selectedTile) {
    std::int32_t value = 0;
    const char* first = selectedTile.data();
    const char* last = first + selectedTile.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (selectedTile.empty() || error != std::errc() || end != last) return std::nullopt;
    return value;
}

namespace {

// The number of columns and rows a press may visit: the level's size, never
// more than the arrays hold.
std::size_t Columns(const LevelState& level) {
    return std::min(static_cast<std::size_t>(std::max(level.LevelWidth, 0)), level.Cells.size());
}
std::size_t Rows(const LevelState& level, std::size_t a) {
    return std::min({static_cast<std::size_t>(std::max(level.LevelHeight, 0)), level.Cells[a].size(),
                     a < level.CellShapes.size() ? level.CellShapes[a].size() : std::size_t{0}});
}

// Object ball s may go on `clicked` only while a ball of image s lies on the
// level. Every matching ball writes the target again; the clicked cell may be
// that ball itself.
void PlaceTarget(LevelState& level, TCellRecord& clicked, std::int32_t s) {
    for (std::size_t a = 0; a < Columns(level); ++a) {
        const std::size_t rows = std::min(static_cast<std::size_t>(std::max(level.LevelHeight, 0)), level.Cells[a].size());
        for (std::size_t b = 0; b < rows; ++b) {
            const TCellRecord& cell = level.Cells[a][b];
            if (cell.LayerCode.equals("1") && cell.TileIndex == s) {
                clicked.LayerCode.assign("3");
                clicked.TileIndex = s;
            }
        }
    }
}

}  // namespace

void ApplyPress(LevelState& level, PressButton button, std::string_view pageCaption, std::int32_t x, std::int32_t y,
                const TargetWarning& warn) {
    if (button == PressButton::Middle) return;

    std::int32_t tile = 0;
    if (button == PressButton::Left) {
        const auto parsed = SelectedTileIndex(level.SelectedTile);
        if (!parsed) return;
        tile = *parsed;
    }

    // A map point beyond 32 bits lies outside every diamond (their vertices
    // are 32-bit), so such a press hits nothing.
    const std::int64_t mapX = static_cast<std::int64_t>(x) + level.ViewOffsetX;
    const std::int64_t mapY = static_cast<std::int64_t>(y) + level.ViewOffsetY;
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    if (mapX < kMin || mapX > kMax || mapY < kMin || mapY > kMax) return;
    const TPoint point{static_cast<std::int32_t>(mapX), static_cast<std::int32_t>(mapY)};

    for (std::size_t a = 0; a < Columns(level); ++a) {
        for (std::size_t b = 0; b < Rows(level, a); ++b) {
            if (!PointInCell(point, level.CellShapes[a][b])) continue;
            TCellRecord& cell = level.Cells[a][b];
            if (button == PressButton::Right) {
                cell.LayerCode.clear();
                cell.TileIndex = -1;
            } else if (pageCaption == "3") {
                PlaceTarget(level, cell, tile);
                if (cell.LayerCode.length == 0) {
                    if (warn) warn();
                    break;  // the rest of this column is skipped, the next one still looked at
                }
            } else if (pageCaption == "4") {
                cell.SurfaceIndex = tile;
            } else {
                cell.LayerCode.assign(pageCaption);
                cell.TileIndex = tile;
            }
        }
    }
}

}  // namespace klv
