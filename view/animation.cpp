#include "view/compositor.h"

namespace klv {

void AdvanceAnimation(AnimationCounters& counters) {
    counters.AnimTick += 1;
    if (counters.AnimTick == 6) {
        counters.AnimFrame += 1;
        counters.AnimTick = 0;
    }
    // Checked on every tick, and the wrap goes to 1: pattern 0 shows only once.
    if (counters.AnimFrame >= counters.AnimFrameLimit) counters.AnimFrame = 1;
}

bool IndexFaultLog::FirstReport(LayerSlot slot, std::int32_t index) {
    return reported_.emplace(static_cast<int>(slot), index).second;
}

}  // namespace klv
