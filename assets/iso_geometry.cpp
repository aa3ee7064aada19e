#include "assets/iso_geometry.h"

namespace klv::art {

bool InPolygon(std::int32_t px, std::int32_t py, const Vertex* vertices, int count) {
    bool inside = false;
    for (int i = 0; i < count; ++i) {
        const Vertex a = vertices[i];
        const Vertex b = vertices[i + 1 == count ? 0 : i + 1];
        if ((a.y <= py && py < b.y) || (b.y <= py && py < a.y)) {
            const double crossing = a.x + static_cast<double>(static_cast<std::int64_t>(b.x - a.x) * (py - a.y)) / (b.y - a.y);
            if (px < crossing) inside = !inside;
        }
    }
    return inside;
}

bool InCellDiamond(std::int32_t x, std::int32_t y, std::int32_t height, std::int32_t rise) {
    const std::int32_t top = height - kCellHeight - rise;
    const Vertex diamond[4] = {{kHalfWidth, top},
                               {0, top + kHalfHeight},
                               {kHalfWidth, top + kCellHeight},
                               {kCellWidth, top + kHalfHeight}};
    return InPolygon(x, y, diamond, 4);
}

Face BlockFace(std::int32_t x, std::int32_t y, std::int32_t rise) {
    const std::int32_t height = kCellHeight + rise;
    if (InCellDiamond(x, y, height, rise)) return Face::Top;
    const Vertex left[4] = {{0, kHalfHeight}, {0, kHalfHeight + rise}, {kHalfWidth, kCellHeight + rise}, {kHalfWidth, kCellHeight}};
    if (InPolygon(x, y, left, 4)) return Face::Left;
    const Vertex right[4] = {{kHalfWidth, kCellHeight}, {kHalfWidth, kCellHeight + rise}, {kCellWidth, kHalfHeight + rise}, {kCellWidth, kHalfHeight}};
    if (InPolygon(x, y, right, 4)) return Face::Right;
    return Face::None;
}

FaceUv TopUv(std::int32_t x, std::int32_t y, std::int32_t topY) {
    const float dx = (static_cast<float>(x) + 0.5f - kHalfWidth) / kHalfWidth;
    const float dy = (static_cast<float>(y - topY) + 0.5f) / kHalfHeight;
    return {(dy + dx) / 2, (dy - dx) / 2};
}

FaceUv SideUv(std::int32_t x, std::int32_t y, std::int32_t rise, bool left) {
    const float fx = static_cast<float>(x) + 0.5f;
    const float u = left ? fx / kHalfWidth : (kCellWidth - fx) / kHalfWidth;
    // The face's top edge runs from the outer corner (y 21) down to the seam (y 42).
    const float topEdge = kHalfHeight + u * kHalfHeight;
    const float v = rise > 0 ? (static_cast<float>(y) + 0.5f - topEdge) / static_cast<float>(rise) : 0;
    return {u, v};
}

}  // namespace klv::art
