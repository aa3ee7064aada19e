#pragma once
// One frame tick of the editor window, free of any window code: the window's
// timer calls RunFrameTick and supplies readiness, composing and presenting.

#include <cstdint>
#include <functional>

#include "view/compositor.h"

namespace klv {

struct FrameTickHooks {
    // Whether the draw area can take a frame now (restoring lost surfaces first).
    std::function<bool()> IsReady;
    // Fill, grid and level with the given pattern index for the animated layers.
    std::function<void(std::int32_t animFrame)> Compose;
    // Shows the composed frame.
    std::function<void()> Present;
};

// Compose with the AnimFrame from before the advance, advance the animation,
// present. Returns false when the draw area was not ready: nothing composed or
// presented and the counters unchanged. Empty hooks are skipped (an empty
// IsReady counts as ready).
bool RunFrameTick(AnimationCounters& counters, const FrameTickHooks& hooks);

}  // namespace klv
