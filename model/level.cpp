#include "model/level.h"

#include <algorithm>

namespace klv {

std::string_view ShortString10::text() const {
    if (length > kCapacity) return {};
    return std::string_view(chars.data(), length);
}

bool ShortString10::equals(std::string_view code) const {
    return length <= kCapacity && text() == code;
}

void ShortString10::assign(std::string_view code) {
    const auto n = std::min<std::size_t>(code.size(), kCapacity);
    length = static_cast<std::uint8_t>(n);
    std::copy_n(code.data(), n, chars.data());
}

void ResetCell(TCellRecord& cell) {
    cell.Reserved1 = -1;
    cell.Reserved2 = 0;
    cell.LayerCode.clear();
    cell.TileIndex = -1;
    cell.SurfaceIndex = -1;
}

namespace {

// Resizes a two-dimensional array the way the level's dynamic arrays resize:
// records inside both sizes stay, new records are all zero bytes.
template <typename T>
void ResizeGrid(std::vector<std::vector<T>>& grid, std::int32_t width, std::int32_t height) {
    grid.resize(static_cast<std::size_t>(width));
    for (auto& column : grid) column.resize(static_cast<std::size_t>(height));
}

}  // namespace

namespace {

TCellShape CellShapeAround(std::int32_t cx, std::int32_t a, std::int32_t b) {
    TCellShape shape;
    shape.Top = {cx + kHalfCellWidth * a - kHalfCellWidth * b, kHalfCellHeight * a + kHalfCellHeight * b};
    shape.Left = {shape.Top.x - kHalfCellWidth, shape.Top.y + kHalfCellHeight};
    shape.Bottom = {shape.Top.x, shape.Top.y + kCellHeight};
    shape.Right = {shape.Top.x + kHalfCellWidth, shape.Top.y + kHalfCellHeight};
    return shape;
}

}  // namespace

TCellShape ComputedCellShape(std::int32_t levelWidth, std::int32_t a, std::int32_t b) {
    return CellShapeAround((levelWidth * kCellWidth + 1) / 2, a, b);
}

void BuildCellShapes(LevelState& level) {
    const std::int32_t cx = level.MapPixelWidth / 2;
    for (std::int32_t a = 0; a < level.LevelWidth; ++a)
        for (std::int32_t b = 0; b < level.LevelHeight; ++b) level.CellShapes[a][b] = CellShapeAround(cx, a, b);
}

void RebuildLevel(LevelState& level, DrawAreaGeometry& drawArea) {
    level.SelectedTile = "0";

    ResizeGrid(level.Cells, level.LevelWidth, level.LevelHeight);
    ResizeGrid(level.CellShapes, level.LevelWidth, level.LevelHeight);

    for (auto& column : level.Cells)
        for (auto& cell : column) ResetCell(cell);

    level.MapPixelWidth = level.LevelWidth * kCellWidth + 1;
    level.MapPixelHeight = level.LevelHeight * kCellHeight + 1;

    drawArea.SetWidth(DrawAreaWidthFor(level.LevelWidth));
    drawArea.SetHeight(DrawAreaHeightFor(level.LevelHeight));
    drawArea.SetTop(0);
    drawArea.SetLeft(0);

    // The offsets come from the size the draw area reports, not the one asked
    // for, so a draw area that adjusts its size still lines up with the map.
    level.ViewOffsetX = (level.LevelWidth * kCellWidth - drawArea.Width()) / 2;
    level.ViewOffsetY = (level.LevelHeight * kCellHeight - drawArea.Height()) / 2;

    BuildCellShapes(level);
}

void RebuildLevel(LevelState& level) {
    PlainDrawArea area;
    RebuildLevel(level, area);
}

LevelState MakeLevel(std::int32_t size) {
    LevelState level;
    level.LevelWidth = size;
    level.LevelHeight = size;
    RebuildLevel(level);
    return level;
}

}  // namespace klv
