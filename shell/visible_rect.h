#pragma once
// Which part of the draw area a scroll box shows.

#include <cstdint>

#include "view/compositor.h"

namespace klv::shell {

// The part of a drawWidth x drawHeight draw area, scrolled by (scrollX,
// scrollY), that a viewport of viewportWidth x viewportHeight shows; empty
// (zero width or height) when nothing of it shows.
DrawRect VisibleDrawRect(std::int32_t scrollX, std::int32_t scrollY, std::int32_t viewportWidth,
                         std::int32_t viewportHeight, std::int32_t drawWidth, std::int32_t drawHeight);

}  // namespace klv::shell
