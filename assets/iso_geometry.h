#pragma once
// The cell diamond as the editor picks and places with it: 92 x 42 pixels,
// an image's left edge on the diamond's left vertex and its bottom edge on
// the bottom vertex. Shapes here use the same even-odd crossing rule as
// picking, so a floor tile covers exactly the pixels that belong to its cell.

#include <cstdint>

namespace klv::art {

inline constexpr std::int32_t kCellWidth = 92;
inline constexpr std::int32_t kCellHeight = 42;
inline constexpr std::int32_t kHalfWidth = 46;
inline constexpr std::int32_t kHalfHeight = 21;

struct Vertex {
    std::int32_t x = 0, y = 0;
};

bool InPolygon(std::int32_t px, std::int32_t py, const Vertex* vertices, int count);
// The cell diamond of an image `height` pixels high, in image coordinates,
// raised by `rise` pixels (0: the cell itself).
bool InCellDiamond(std::int32_t x, std::int32_t y, std::int32_t height, std::int32_t rise = 0);

// Which face of a block (a top diamond raised by `rise`, two side faces
// below it) a pixel of an image of height kCellHeight + rise lies on.
enum class Face { None, Top, Left, Right };
Face BlockFace(std::int32_t x, std::int32_t y, std::int32_t rise);

// Texture coordinates, 0..1 across a face. Top: a runs down-right, b down-left.
struct FaceUv {
    float u = 0, v = 0;
};
FaceUv TopUv(std::int32_t x, std::int32_t y, std::int32_t topY);
// Sides: u runs from the outer corner to the middle seam, v from the top edge down (0..1 over `rise`).
FaceUv SideUv(std::int32_t x, std::int32_t y, std::int32_t rise, bool left);

}  // namespace klv::art
