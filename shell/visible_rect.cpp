#include "shell/visible_rect.h"

#include <algorithm>

namespace klv::shell {

DrawRect VisibleDrawRect(std::int32_t scrollX, std::int32_t scrollY, std::int32_t viewportWidth,
                         std::int32_t viewportHeight, std::int32_t drawWidth, std::int32_t drawHeight) {
    DrawRect rect;
    rect.Left = std::clamp(scrollX, 0, std::max(0, drawWidth));
    rect.Top = std::clamp(scrollY, 0, std::max(0, drawHeight));
    rect.Width = std::max(0, std::min(viewportWidth, drawWidth - rect.Left));
    rect.Height = std::max(0, std::min(viewportHeight, drawHeight - rect.Top));
    return rect;
}

}  // namespace klv::shell
