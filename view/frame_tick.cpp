#include "view/frame_tick.h"

namespace klv {

bool RunFrameTick(AnimationCounters& counters, const FrameTickHooks& hooks) {
    if (hooks.IsReady && !hooks.IsReady()) return false;
    // The frame shows the pattern of this tick; the advance is for the next one.
    const std::int32_t frame = counters.AnimFrame;
    if (hooks.Compose) hooks.Compose(frame);
    AdvanceAnimation(counters);
    if (hooks.Present) hooks.Present();
    return true;
}

}  // namespace klv
