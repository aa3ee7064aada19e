// Ball targets: a pulsing ring on the cell with a marker bobbing above it,
// in the colour of the ball with the same index.

#include <cmath>
#include <string>

#include "assets/art_canvas.h"
#include "assets/ball_colours.h"
#include "assets/default_sets.h"
#include "assets/iso_geometry.h"

namespace klv::art {

namespace {

constexpr std::int32_t kTargetHeight = 68;
constexpr float kPi = 3.14159265f;

Canvas DrawTargetFrame(Colour base, float phase) {
    const std::int32_t h = kTargetHeight;
    const float wave = std::sin(2 * kPi * phase);
    const float cx = kHalfWidth, cy = static_cast<float>(h - kHalfHeight);
    const float ratio = static_cast<float>(kHalfHeight) / kHalfWidth;

    Canvas ring(kCellWidth, h);
    // An ellipse stays inside the diamond while its radius is below 46 / sqrt(2).
    const float outer = 27.5f + 3.5f * wave;
    const float inner = outer * 0.5f;
    const float glow = 0.75f + 0.25f * wave;
    const auto radius = [&](std::int32_t x, std::int32_t y) {
        const float dx = static_cast<float>(x) + 0.5f - cx, dy = (static_cast<float>(y) + 0.5f - cy) / ratio;
        return std::sqrt(dx * dx + dy * dy);
    };
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < kCellWidth; ++x) {
            const float r = radius(x, y);
            const bool farHalf = static_cast<float>(y) + 0.5f < cy;  // catches the light
            if (r <= outer && r >= outer - 6) {
                ring.Set(x, y, Mix(base * glow, Hex(0xFFFFFF), farHalf ? 0.4f : 0.12f));
            } else if (r <= inner && r >= inner - 4) {
                ring.Set(x, y, Mix(base, Hex(0xFFFFFF), 0.5f * glow));
            } else if (r <= 3.5f) {
                ring.Set(x, y, Mix(base, Hex(0xFFFFFF), 0.7f));
            }
        }
    ring.Outline(0.45f);
    // A glow between the rings, every other pixel so the floor shows through.
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < kCellWidth; ++x) {
            const float r = radius(x, y);
            if (r < outer - 6 && r > inner && (x + y) % 2 == 0 && !ring.Opaque(x, y)) ring.Set(x, y, base * (0.55f + 0.35f * glow));
        }

    // A gem pointing down at the middle of the cell.
    Canvas gem(kCellWidth, h);
    const float top = cy - 36 + 3 * std::sin(2 * kPi * phase);
    const float halfWidth = 9, depth = 20, crown = 5;
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < kCellWidth; ++x) {
            const float px = static_cast<float>(x) + 0.5f - cx, py = static_cast<float>(y) + 0.5f - top;
            if (py < -crown || py > depth) continue;
            const float half = py < 0 ? halfWidth * (1 + py / crown * 0.45f) : halfWidth * (1 - py / depth);
            if (std::fabs(px) > half) continue;
            Colour c = base;
            if (py < 0) c = Mix(base, Hex(0xFFFFFF), 0.45f);          // table facet
            else if (px < -half * 0.3f) c = Mix(base, Hex(0xFFFFFF), 0.25f);
            else if (px > half * 0.3f) c = base * 0.6f;
            if (py >= 0 && py < 3 && px < 0) c = Mix(c, Hex(0xFFFFFF), 0.5f);
            gem.Set(x, y, c);
        }
    gem.Outline(0.35f);
    ring.Paste(gem, 0, 0);
    return ring;
}

}  // namespace

ImageSet MakeTargetSet() {
    ImageSet set;
    for (const BallColour& colour : kBallColours) {
        Canvas strip(kCellWidth * kAnimationPatterns, kTargetHeight);
        for (std::int32_t n = 0; n < kAnimationPatterns; ++n)
            strip.Paste(DrawTargetFrame(Hex(colour.rgb), AnimationPhase(n)), n * kCellWidth, 0);
        set.Items.push_back(MakeItem(std::string(colour.name) + " Target", strip, kCellWidth, kTargetHeight));
    }
    return set;
}

}  // namespace klv::art
