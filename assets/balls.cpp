// Shaded balls resting on the middle of the cell, with a dithered shadow.

#include <cmath>
#include <string>

#include "assets/art_canvas.h"
#include "assets/ball_colours.h"
#include "assets/default_sets.h"
#include "assets/iso_geometry.h"

namespace klv::art {

namespace {

constexpr std::int32_t kBallImageHeight = 60;
constexpr float kRadius = 20.0f;

struct Vec {
    float x, y, z;
};
float Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Normalised(Vec v) {
    const float n = std::sqrt(Dot(v, v));
    return {v.x / n, v.y / n, v.z / n};
}

Canvas DrawBall(Colour base) {
    const std::int32_t h = kBallImageHeight;
    // The ball rests on the middle of the cell: its lowest rows sink a little
    // below the diamond's centre, where the eye expects the contact point.
    const float cx = kHalfWidth, cy = static_cast<float>(h - kHalfHeight) - kRadius + 4;

    Canvas shadow(kCellWidth, h);
    const float sx = cx + 3, sy = static_cast<float>(h - kHalfHeight) + 1;
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < kCellWidth; ++x) {
            const float ex = (static_cast<float>(x) + 0.5f - sx) / 23, ey = (static_cast<float>(y) + 0.5f - sy) / 9.5f;
            if (ex * ex + ey * ey <= 1 && (x + y) % 2 == 0) shadow.Set(x, y, Hex(0x101018));
        }

    Canvas ball(kCellWidth, h);
    const Vec light = Normalised({-0.45f, -0.65f, 0.62f});
    const Vec halfway = Normalised({light.x, light.y, light.z + 1});
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < kCellWidth; ++x) {
            const float dx = (static_cast<float>(x) + 0.5f - cx) / kRadius, dy = (static_cast<float>(y) + 0.5f - cy) / kRadius;
            const float d2 = dx * dx + dy * dy;
            if (d2 > 1) continue;
            const Vec n{dx, dy, std::sqrt(1 - d2)};
            const float diffuse = std::max(0.0f, Dot(n, light));
            Colour c = base * (0.2f + 0.85f * diffuse);
            c = c + base * (0.18f * std::max(0.0f, dy) * (1 - n.z));  // light bounced from the floor
            const float specular = std::pow(std::max(0.0f, Dot(n, halfway)), 48.0f);
            c = Mix(c, Hex(0xFFFFFF), Clamp01(specular * 1.1f));
            c = Mix(c, base * 0.35f, SmoothStep(0.8f, 1.0f, d2) * 0.5f);  // rim
            ball.Set(x, y, c);
        }
    ball.Outline(0.35f);
    shadow.Paste(ball, 0, 0);
    return shadow;
}

}  // namespace

ImageSet MakeBallSet() {
    ImageSet set;
    for (const BallColour& colour : kBallColours)
        set.Items.push_back(MakeItem(std::string(colour.name) + " Ball", DrawBall(Hex(colour.rgb))));
    return set;
}

}  // namespace klv::art
