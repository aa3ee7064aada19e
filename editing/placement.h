#pragma once
// Turning presses on the draw area into cell changes: the cell under a point,
// the left-press rule of each layer with the object-ball (target) rule, the
// right-press clear. No window here: the caller shows the warning.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "model/level.h"

namespace klv {

enum class PressButton { Left, Right, Middle };

// Even-odd crossing test along a ray towards increasing x. The product
// (xj - xi) * (py - yi) is formed in 64-bit, so diamonds read from a file
// cannot overflow it.
bool PointInPolygon(TPoint point, const TPoint* vertices, int count);
bool PointInCell(TPoint mapPoint, const TCellShape& shape);

// Called when the target rule leaves the clicked cell empty; returns once the
// user has closed the warning "please place the ball before placing target.".
using TargetWarning = std::function<void()>;

inline constexpr std::string_view kTargetWarningText = "please place the ball before placing target.";
inline constexpr std::string_view kTargetWarningCaption = "Warning";

// The image index a palette selection names: the whole text must be a
// decimal number that fits a signed 32-bit integer (a leading '-' allowed,
// nothing else: no sign '+', no spaces). Anything else names no image.
std::optional<std::int32_t> SelectedTileIndex(std::string_view selectedTile);

// A press at draw-area point (x, y): adds the view offsets, then acts on every
// cell whose diamond holds the map point, a ascending, b ascending.
// `pageCaption` is the active palette page ("0".."4"). A left press with a
// `SelectedTile` that names no image changes nothing; the palettes never set
// such a text.
void ApplyPress(LevelState& level, PressButton button, std::string_view pageCaption, std::int32_t x, std::int32_t y,
                const TargetWarning& warn);

}  // namespace klv
