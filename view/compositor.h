#pragma once
// Composes frames of the level: black fill, white diamond grid, surface pass,
// layer pass. Any rectangle of the draw area can be composed on its own and
// gives exactly the pixels of the whole back buffer cropped to it; the cost
// follows the rectangle, not the level.

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>

#include "model/level.h"
#include "view/prepared_image.h"
#include "view/surface565.h"

namespace klv {

// Which image set a cell field draws from, in the order of the layer codes.
enum class LayerSlot : int { Land = 0, Ball = 1, Other = 2, ObjectBall = 3, Surface = 4 };
inline constexpr int kLayerSlotCount = 5;

// The five prepared sets drawing uses; a null entry draws like an empty set.
struct LayerImageSets {
    std::array<const PreparedImageSet*, kLayerSlotCount> Sets{};
    const PreparedImageSet* operator[](LayerSlot slot) const { return Sets[static_cast<int>(slot)]; }
};

// A rectangle of the draw area, in draw-area pixels.
struct DrawRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// AnimFrame, AnimTick, AnimFrameLimit as the main window holds them.
struct AnimationCounters {
    std::int32_t AnimFrame = 0;
    std::int32_t AnimTick = 0;
    std::int32_t AnimFrameLimit = 0;
};

// Steps 5 and 6 of a frame tick: count the tick, advance the frame every sixth
// tick, wrap to 1 (not 0) at the limit.
void AdvanceAnimation(AnimationCounters& counters);

// Remembers which out-of-range indexes have been reported, so each fault is
// reported once per set and index until the level is replaced (Clear()).
class IndexFaultLog {
public:
    // True the first time this slot and index are seen since the last Clear().
    bool FirstReport(LayerSlot slot, std::int32_t index);
    void Clear() { reported_.clear(); }

private:
    std::set<std::pair<int, std::int32_t>> reported_;
};

// Receives "List index out of bounds (%d)" once per new fault.
using IndexFaultCallback = std::function<void(LayerSlot slot, std::int32_t index, const std::string& message)>;

// "List index out of bounds (%d)" with the index in place of %d.
std::string IndexFaultMessage(std::int32_t index);

// Every index in the level that lies outside its image set, in drawing order
// (surface pass, then layer pass), each reported once through `log`. Drawing
// skips such cells and reports only those it visits; composing a rectangle
// visits only the cells that reach into it, so the window calls this once
// per tick (a plain scan of the cells, cheap beside composing) to have every
// fault reported as soon as the level is shown, wherever the cell lies.
void FindIndexFaults(const LevelState& level, const LayerImageSets& sets, IndexFaultLog& log, const IndexFaultCallback& onFault);

struct FrameInputs {
    const LevelState& Level;
    const LayerImageSets& Sets;
    std::int32_t AnimFrame = 0;
    IndexFaultLog* Faults = nullptr;          // may be null: faults are then not reported
    IndexFaultCallback OnIndexFault;          // may be empty
};

// The two drawing passes, into `target`, whose pixel (0, 0) is draw-area pixel
// (rect.Left, rect.Top). Only what reaches into the rectangle is touched.
//
// DrawLevel: surfaces, then pieces, each pass back to front (anti-diagonal
// a + b, then ascending a). A cell whose index lies outside its set is
// skipped (the rest is drawn) and reported through Faults/OnIndexFault, once
// per set and index. With the diamonds of a regular grid (any computed
// layout, even moved as a whole) only the diagonals and a-ranges whose images
// can reach the rectangle are visited, found from each set's largest pattern;
// other diamonds, as a file may hold them, are each checked.
void DrawGrid(const LevelState& level, Surface565& target, const DrawRect& rect);
void DrawLevel(const FrameInputs& inputs, Surface565& target, const DrawRect& rect);

// Steps 2 to 4 of a frame tick for one rectangle: `out` becomes rect-sized,
// filled with 0, then grid and level are drawn into it. Parts of the
// rectangle outside the draw area stay 0.
void ComposeRect(const FrameInputs& inputs, const DrawRect& rect, Surface565& out);

// The whole back buffer of the level (LevelWidth*92+2 by LevelHeight*42+2).
void ComposeWhole(const FrameInputs& inputs, Surface565& out);

}  // namespace klv
