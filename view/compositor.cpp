#include "view/compositor.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace klv {

namespace {

constexpr std::uint16_t kGridColor = 0xFFFF;  // white in 5-6-5

std::int64_t FloorDiv(std::int64_t num, std::int64_t den) {  // den > 0
    const std::int64_t q = num / den;
    return (num % den != 0 && num < 0) ? q - 1 : q;
}
std::int64_t CeilDiv(std::int64_t num, std::int64_t den) { return -FloorDiv(-num, den); }

std::int32_t ClampToInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Where drawing may put pixels: the part of `target` that shows the rectangle
// and lies inside the draw area (the back buffer has no pixels beyond it).
struct Canvas {
    Surface565& Target;
    std::int64_t OriginX;  // draw-area x of target pixel 0
    std::int64_t OriginY;
    PixelClip Clip;        // in target pixels
};

Canvas MakeCanvas(const LevelState& level, Surface565& target, const DrawRect& rect) {
    const std::int64_t areaW = std::max<std::int64_t>(0, static_cast<std::int64_t>(level.LevelWidth) * kCellWidth + 2);
    const std::int64_t areaH = std::max<std::int64_t>(0, static_cast<std::int64_t>(level.LevelHeight) * kCellHeight + 2);
    const std::int64_t left = std::max<std::int64_t>(0, -static_cast<std::int64_t>(rect.Left));
    const std::int64_t top = std::max<std::int64_t>(0, -static_cast<std::int64_t>(rect.Top));
    const std::int64_t right = std::min<std::int64_t>({rect.Width, target.Width, areaW - rect.Left});
    const std::int64_t bottom = std::min<std::int64_t>({rect.Height, target.Height, areaH - rect.Top});
    return {target, rect.Left, rect.Top, {ClampToInt32(left), ClampToInt32(top), ClampToInt32(right), ClampToInt32(bottom)}};
}

// Cells that a loaded file left out of the arrays are treated as absent.
const TCellRecord* CellAt(const LevelState& level, std::int32_t a, std::int32_t b) {
    if (static_cast<std::size_t>(a) >= level.Cells.size()) return nullptr;
    const auto& column = level.Cells[static_cast<std::size_t>(a)];
    return static_cast<std::size_t>(b) < column.size() ? &column[static_cast<std::size_t>(b)] : nullptr;
}
const TCellShape* ShapeAt(const LevelState& level, std::int32_t a, std::int32_t b) {
    if (static_cast<std::size_t>(a) >= level.CellShapes.size()) return nullptr;
    const auto& column = level.CellShapes[static_cast<std::size_t>(a)];
    return static_cast<std::size_t>(b) < column.size() ? &column[static_cast<std::size_t>(b)] : nullptr;
}

// The largest first and second index of a cell that exists in both arrays
// within the W x W walk (-1 when none does): arrays shorter than the size
// say are walked only as far as they go, in the same order.
struct CellExtent {
    std::int64_t MaxA = -1;
    std::int64_t MaxB = -1;
};

CellExtent ExtentOf(const LevelState& level) {
    const std::size_t w = static_cast<std::size_t>(std::max(level.LevelWidth, 0));
    const std::size_t columns = std::min({w, level.Cells.size(), level.CellShapes.size()});
    std::size_t rows = 0;
    for (std::size_t a = 0; a < columns; ++a) rows = std::max(rows, std::min({w, level.Cells[a].size(), level.CellShapes[a].size()}));
    if (columns == 0 || rows == 0) return {};
    return {static_cast<std::int64_t>(columns) - 1, static_cast<std::int64_t>(rows) - 1};
}

// The layer a cell's LayerCode names, compared as whole texts (length
// included: "00" and "" name none). Only a one-character text can be one of
// the four codes, so its character picks the one code worth comparing.
bool LayerSlotOf(const TCellRecord& cell, LayerSlot& slot) {
    static constexpr std::string_view kCodes[] = {"0", "1", "2", "3"};
    static constexpr LayerSlot kSlots[] = {LayerSlot::Land, LayerSlot::Ball, LayerSlot::Other, LayerSlot::ObjectBall};
    if (cell.LayerCode.length != 1) return false;
    const int k = cell.LayerCode.chars[0] - '0';
    if (k < 0 || k > 3 || !cell.LayerCode.equals(kCodes[k])) return false;
    slot = kSlots[k];
    return true;
}

bool Animated(LayerSlot slot) { return slot == LayerSlot::Other || slot == LayerSlot::ObjectBall; }

bool InSet(const PreparedImageSet* set, std::int32_t index) { return index >= 0 && set != nullptr && index < set->Count(); }

void Report(IndexFaultLog& log, const IndexFaultCallback& onFault, LayerSlot slot, std::int32_t index) {
    if (onFault && log.FirstReport(slot, index)) onFault(slot, index, IndexFaultMessage(index));
}

// The largest pattern of a set that can be drawn; 0 x 0 when none can.
struct Reach {
    std::int64_t Width = 0;
    std::int64_t Height = 0;
    bool Any() const { return Width > 0 && Height > 0; }
};

Reach ReachOf(const PreparedImageSet* set) {
    Reach reach;
    if (set == nullptr) return reach;
    for (const PreparedImage& image : set->Images) {
        if (!image.Ready || image.PatternCount <= 0) continue;
        reach.Width = std::max<std::int64_t>(reach.Width, image.PatternW);
        reach.Height = std::max<std::int64_t>(reach.Height, image.PatternH);
    }
    return reach;
}

// Whether every diamond of the W x W walk sits where a regular grid puts it,
// (x00 + 46 (a - b), y00 + 21 (a + b)), which is true of every computed
// layout. Only then can the cells reaching a rectangle be found by arithmetic;
// diamonds from a file may be anywhere and fall back to a walk of all cells.
struct GridLayout {
    bool Regular = false;
    std::int64_t X00 = 0;
    std::int64_t Y00 = 0;
};

GridLayout DetectLayout(const LevelState& level) {
    GridLayout layout;
    const std::int32_t w = level.LevelWidth;
    if (w <= 0) return layout;
    const std::size_t n = static_cast<std::size_t>(w);
    if (level.Cells.size() < n || level.CellShapes.size() < n) return layout;
    layout.X00 = level.CellShapes[0].empty() ? 0 : level.CellShapes[0][0].Top.x;
    layout.Y00 = level.CellShapes[0].empty() ? 0 : level.CellShapes[0][0].Top.y;
    for (std::size_t a = 0; a < n; ++a) {
        const auto& shapes = level.CellShapes[a];
        if (shapes.size() < n || level.Cells[a].size() < n) return layout;
        const std::int64_t baseX = layout.X00 + kHalfCellWidth * static_cast<std::int64_t>(a);
        const std::int64_t baseY = layout.Y00 + kHalfCellHeight * static_cast<std::int64_t>(a);
        // Mismatches are counted rather than branched on, so the row is one straight pass.
        int mismatches = 0;
        for (std::size_t b = 0; b < n; ++b) {
            const std::int64_t bb = static_cast<std::int64_t>(b);
            mismatches += static_cast<int>(shapes[b].Top.x != baseX - kHalfCellWidth * bb) + static_cast<int>(shapes[b].Top.y != baseY + kHalfCellHeight * bb);
        }
        if (mismatches != 0) return layout;
    }
    layout.Regular = true;
    return layout;
}

struct LevelPainter {
    const FrameInputs& In;
    Canvas& Out;
    GridLayout Layout;
    CellExtent Extent;

    // Top-left corner of an image of draw height h on the diamond with top vertex (x0, y0).
    std::int64_t PlaceX(const TCellShape& shape) const { return static_cast<std::int64_t>(shape.Top.x) - In.Level.ViewOffsetX - kHalfCellWidth - Out.OriginX; }
    std::int64_t PlaceY(const TCellShape& shape, std::int32_t h) const {
        return static_cast<std::int64_t>(shape.Top.y) - In.Level.ViewOffsetY + kCellHeight - h - Out.OriginY;
    }

    void Paint(LayerSlot slot, std::int32_t index, std::int32_t pattern, const TCellShape& shape) const {
        const PreparedImageSet* set = In.Sets[slot];
        if (!InSet(set, index)) {
            if (In.Faults != nullptr) Report(*In.Faults, In.OnIndexFault, slot, index);
            return;
        }
        const PreparedImage& image = set->Images[static_cast<std::size_t>(index)];
        if (!image.Drawable(pattern)) return;
        image.DrawClipped(Out.Target, Out.Clip, PlaceX(shape), PlaceY(shape, image.DrawHeight), pattern);
    }

    void SurfaceOf(std::int32_t a, std::int32_t b) const {
        const TCellRecord* cell = CellAt(In.Level, a, b);
        const TCellShape* shape = ShapeAt(In.Level, a, b);
        if (cell == nullptr || shape == nullptr || cell->SurfaceIndex == -1) return;
        Paint(LayerSlot::Surface, cell->SurfaceIndex, 0, *shape);
    }

    void LayerOf(std::int32_t a, std::int32_t b) const {
        const TCellRecord* cell = CellAt(In.Level, a, b);
        const TCellShape* shape = ShapeAt(In.Level, a, b);
        LayerSlot slot{};
        if (cell == nullptr || shape == nullptr || !LayerSlotOf(*cell, slot)) return;
        Paint(slot, cell->TileIndex, Animated(slot) ? In.AnimFrame : 0, *shape);
    }

    // Back to front: by anti-diagonal s = a + b, then by ascending a. With a
    // regular layout only the diagonals and a-ranges whose images can reach
    // the clip are walked (reach: the largest pattern the pass may draw).
    template <typename Visit>
    void Walk(const Reach& reach, Visit visit) const {
        const std::int64_t w = In.Level.LevelWidth;
        if (Extent.MaxA < 0) return;
        std::int64_t sLo = 0, sHi = Extent.MaxA + Extent.MaxB, dLo = -Extent.MaxB, dHi = Extent.MaxA;
        if (Layout.Regular) {
            if (!reach.Any() || Out.Clip.Empty()) return;
            // Clip in draw-area pixels.
            const std::int64_t left = Out.OriginX + Out.Clip.Left, right = Out.OriginX + Out.Clip.Right;
            const std::int64_t top = Out.OriginY + Out.Clip.Top, bottom = Out.OriginY + Out.Clip.Bottom;
            const std::int64_t vx = In.Level.ViewOffsetX, vy = In.Level.ViewOffsetY;
            // Image columns [X, X + width) with X = x00 + 46 d - vx - 46, d = a - b.
            dHi = std::min(dHi, FloorDiv(right + vx + kHalfCellWidth - Layout.X00 - 1, kHalfCellWidth));
            dLo = std::max(dLo, FloorDiv(left + vx + kHalfCellWidth - Layout.X00 - reach.Width, kHalfCellWidth) + 1);
            // Image rows end at y00 + 21 s - vy + 42 and start at most reach.Height above.
            sLo = std::max(sLo, FloorDiv(top + vy - kCellHeight - Layout.Y00, kHalfCellHeight) + 1);
            sHi = std::min(sHi, FloorDiv(bottom + vy - kCellHeight - Layout.Y00 + reach.Height - 1, kHalfCellHeight));
        }
        for (std::int64_t s = sLo; s <= sHi; ++s) {
            const std::int64_t aLo = std::max({std::int64_t{0}, s - w + 1, s - Extent.MaxB, CeilDiv(s + dLo, 2)});
            const std::int64_t aHi = std::min({s, w - 1, Extent.MaxA, FloorDiv(s + dHi, 2)});
            for (std::int64_t a = aLo; a <= aHi; ++a) visit(static_cast<std::int32_t>(a), static_cast<std::int32_t>(s - a));
        }
    }
};

}  // namespace

std::string IndexFaultMessage(std::int32_t index) {
    char text[48];
    std::snprintf(text, sizeof text, "List index out of bounds (%d)", static_cast<int>(index));
    return text;
}

void FindIndexFaults(const LevelState& level, const LayerImageSets& sets, IndexFaultLog& log, const IndexFaultCallback& onFault) {
    const std::int64_t w = level.LevelWidth;
    const CellExtent extent = ExtentOf(level);
    const auto eachCell = [&](auto visit) {
        for (std::int64_t s = 0; s <= extent.MaxA + extent.MaxB; ++s)
            for (std::int64_t a = std::max({std::int64_t{0}, s - w + 1, s - extent.MaxB}); a <= std::min({s, w - 1, extent.MaxA}); ++a) {
                const auto ai = static_cast<std::int32_t>(a), bi = static_cast<std::int32_t>(s - a);
                if (const TCellRecord* cell = CellAt(level, ai, bi); cell != nullptr && ShapeAt(level, ai, bi) != nullptr) visit(*cell);
            }
    };
    const auto surfaceFault = [&](const TCellRecord& cell) { return cell.SurfaceIndex != -1 && !InSet(sets[LayerSlot::Surface], cell.SurfaceIndex); };
    const auto layerFault = [&](const TCellRecord& cell, LayerSlot& slot) { return LayerSlotOf(cell, slot) && !InSet(sets[slot], cell.TileIndex); };

    // Runs every tick, and a level nearly always has no fault: first a plain
    // pass over the arrays in memory order, the ordered walk only when it finds one.
    // (A one-character code "0".."3" is exactly what LayerSlotOf matches.)
    std::int64_t counts[kLayerSlotCount];
    for (int k = 0; k < kLayerSlotCount; ++k) counts[k] = sets.Sets[static_cast<std::size_t>(k)] ? sets.Sets[static_cast<std::size_t>(k)]->Count() : 0;
    bool any = false;
    for (const auto& column : level.Cells)
        for (const TCellRecord& cell : column) {
            const int k = cell.LayerCode.chars[0] - '0';
            const bool piece = cell.LayerCode.length == 1 && k >= 0 && k <= 3;
            any |= (cell.SurfaceIndex != -1 && (cell.SurfaceIndex < 0 || cell.SurfaceIndex >= counts[kLayerSlotCount - 1])) ||
                   (piece && (cell.TileIndex < 0 || cell.TileIndex >= counts[k]));
        }
    if (!any) return;

    eachCell([&](const TCellRecord& cell) {
        if (surfaceFault(cell)) Report(log, onFault, LayerSlot::Surface, cell.SurfaceIndex);
    });
    eachCell([&](const TCellRecord& cell) {
        LayerSlot slot{};
        if (layerFault(cell, slot)) Report(log, onFault, slot, cell.TileIndex);
    });
}

void DrawGrid(const LevelState& level, Surface565& target, const DrawRect& rect) {
    Canvas canvas = MakeCanvas(level, target, rect);
    if (canvas.Clip.Empty()) return;
    const std::int64_t cx = level.MapPixelWidth / 2, cy = level.MapPixelHeight / 2;
    // Map pixels to target pixels.
    const std::int64_t shiftX = -static_cast<std::int64_t>(level.ViewOffsetX) - canvas.OriginX;
    const std::int64_t shiftY = -static_cast<std::int64_t>(level.ViewOffsetY) - canvas.OriginY;
    const auto line = [&](std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
        DrawLineClipped(target, canvas.Clip, x0 + shiftX, y0 + shiftY, x1 + shiftX, y1 + shiftY, kGridColor);
    };
    for (std::int64_t c = 0; c <= level.LevelWidth; ++c)
        line(cx + kHalfCellWidth * c, kHalfCellHeight * c, kHalfCellWidth * c, cy + kHalfCellHeight * c);
    for (std::int64_t c = 0; c <= level.LevelHeight; ++c)
        line(cx - kHalfCellWidth * c, kHalfCellHeight * c, cx + kHalfCellWidth * (level.LevelHeight - c), cy + kHalfCellHeight * c);
}

void DrawLevel(const FrameInputs& inputs, Surface565& target, const DrawRect& rect) {
    Canvas canvas = MakeCanvas(inputs.Level, target, rect);
    const LevelPainter painter{inputs, canvas, DetectLayout(inputs.Level), ExtentOf(inputs.Level)};
    // Every surface goes down before any layer image, so layers always cover surfaces.
    painter.Walk(ReachOf(inputs.Sets[LayerSlot::Surface]), [&](std::int32_t a, std::int32_t b) { painter.SurfaceOf(a, b); });
    Reach layers;
    for (LayerSlot slot : {LayerSlot::Land, LayerSlot::Ball, LayerSlot::Other, LayerSlot::ObjectBall}) {
        const Reach r = ReachOf(inputs.Sets[slot]);
        layers.Width = std::max(layers.Width, r.Width);
        layers.Height = std::max(layers.Height, r.Height);
    }
    painter.Walk(layers, [&](std::int32_t a, std::int32_t b) { painter.LayerOf(a, b); });
}

void ComposeRect(const FrameInputs& inputs, const DrawRect& rect, Surface565& out) {
    out.Resize(rect.Width, rect.Height);  // the black fill
    DrawGrid(inputs.Level, out, rect);
    DrawLevel(inputs, out, rect);
}

void ComposeWhole(const FrameInputs& inputs, Surface565& out) {
    const DrawRect whole{0, 0, ClampToInt32(std::max<std::int64_t>(0, static_cast<std::int64_t>(inputs.Level.LevelWidth) * kCellWidth + 2)),
                         ClampToInt32(std::max<std::int64_t>(0, static_cast<std::int64_t>(inputs.Level.LevelHeight) * kCellHeight + 2))};
    ComposeRect(inputs, whole, out);
}

}  // namespace klv
