#pragma once
// The bundled default image sets, drawn procedurally: original art made for
// the 92 x 42 cell diamond, keyed on magenta.

#include "model/imageset/image_set.h"

namespace klv::art {

// Animated pieces have this many patterns, one for each animation frame.
inline constexpr std::int32_t kAnimationPatterns = 11;

ImageSet MakeLandSet();        // isometric ground blocks
ImageSet MakeBallSet();        // shaded balls
ImageSet MakeAnimatedSet();    // animated pieces (flag, torch, crystal, ...)
ImageSet MakeTargetSet();      // one pulsing target per ball, same index and colour
ImageSet MakeSurfaceSet();     // floor textures as flat diamonds

// The animation phase (0..1) drawn in pattern n. Frames 1..10 loop; pattern
// 0 is shown once before them, so it shows the phase just before frame 1.
float AnimationPhase(std::int32_t pattern);

}  // namespace klv::art
