// Animated pieces for the "other" layer: a waving flag, a flickering
// torch, a spinning crystal and a turning pinwheel. Each is a strip of
// kAnimationPatterns patterns, pattern 0 at the top-left.

#include <array>
#include <cmath>
#include <functional>

#include "assets/art_canvas.h"
#include "assets/default_sets.h"
#include "assets/iso_geometry.h"

namespace klv::art {

namespace {

constexpr std::int32_t kPieceHeight = 84;
constexpr float kPi = 3.14159265f;
constexpr float kGround = static_cast<float>(kPieceHeight - kHalfHeight);  // the cell's centre row

// A small stone plinth centred on the cell, `size` wide, `rise` high.
void DrawPlinth(Canvas& canvas, float size, float rise) {
    Canvas plinth(canvas.Width, canvas.Height);
    const float cx = kHalfWidth, half = size / 2, halfH = half * kHalfHeight / kHalfWidth;
    const float topY = kGround - rise;
    for (std::int32_t y = 0; y < canvas.Height; ++y)
        for (std::int32_t x = 0; x < canvas.Width; ++x) {
            const float px = static_cast<float>(x) + 0.5f - cx, py = static_cast<float>(y) + 0.5f;
            const float onTop = std::fabs(px) / half + std::fabs(py - topY) / halfH;
            if (onTop <= 1) {
                plinth.Set(x, y, Mix(Hex(0xA8A4A0), Hex(0xC8C4BC), Fbm(px * 0.3f, py * 0.3f, 211)));
                continue;
            }
            if (std::fabs(px) > half) continue;
            const float edge = topY + halfH * (1 - std::fabs(px) / half);  // lower edge of the top face
            if (py > edge && py <= edge + rise)
                plinth.Set(x, y, Hex(0x9A958F) * (px < 0 ? 0.85f : 0.62f) * (0.9f + 0.2f * HashUnit(x, y, 213)));
        }
    plinth.Outline(0.35f);
    canvas.Paste(plinth, 0, 0);
}

void Rect(Canvas& canvas, float x0, float y0, float x1, float y1, Colour c, float shadeRight = 0.7f) {
    for (auto y = static_cast<std::int32_t>(std::floor(y0)); y < static_cast<std::int32_t>(std::ceil(y1)); ++y)
        for (auto x = static_cast<std::int32_t>(std::floor(x0)); x < static_cast<std::int32_t>(std::ceil(x1)); ++x) {
            const float t = (static_cast<float>(x) + 0.5f - x0) / (x1 - x0);
            canvas.Set(x, y, c * (t < 0.35f ? 1.15f : (t > 0.7f ? shadeRight : 1.0f)));
        }
}

// --- flag -------------------------------------------------------------------

// A five-pointed star, point up, centred on the origin.
bool InStar(float x, float y, float outerRadius, float innerRadius) {
    const float r = std::sqrt(x * x + y * y);
    if (r > outerRadius) return false;
    float a = std::atan2(x, -y);  // 0 straight up
    if (a < 0) a += 2 * kPi;
    const float sector = a / (kPi / 5);
    const float f = sector - std::floor(sector);
    const bool fromTip = static_cast<int>(sector) % 2 == 0;
    const float r0 = fromTip ? outerRadius : innerRadius, r1 = fromTip ? innerRadius : outerRadius;
    return r <= r0 + (r1 - r0) * f;
}

Canvas DrawFlag(float phase) {
    Canvas canvas(kCellWidth, kPieceHeight);
    DrawPlinth(canvas, 30, 6);
    Canvas pole(kCellWidth, kPieceHeight);
    Rect(pole, 44, 8, 48, kGround - 6, Hex(0x8A8F98));
    for (std::int32_t y = 2; y < 10; ++y)
        for (std::int32_t x = 41; x < 51; ++x) {
            const float dx = static_cast<float>(x) + 0.5f - 46, dy = static_cast<float>(y) + 0.5f - 6;
            if (dx * dx + dy * dy <= 12.5f)
                pole.Set(x, y, Mix(Hex(0xE8B830), Hex(0xFFF4C0), Clamp01((-dx - dy) / 6)));
        }
    pole.Outline(0.35f);

    Canvas cloth(kCellWidth, kPieceHeight);
    const float left = 48, length = 38, top = 10, height = 22;
    for (std::int32_t x = static_cast<std::int32_t>(left); x < static_cast<std::int32_t>(left + length); ++x) {
        const float t = (static_cast<float>(x) + 0.5f - left) / length;
        const float angle = 2 * kPi * (t * 1.3f - phase);
        const float offset = 3.2f * std::sin(angle) * t;
        const float shade = 0.82f + 0.28f * std::cos(angle) * std::min(1.0f, t * 3);
        const float clothTop = top + offset, clothBottom = top + height + offset - 2 * t;
        for (auto y = static_cast<std::int32_t>(std::floor(clothTop)); y < static_cast<std::int32_t>(std::ceil(clothBottom)); ++y) {
            const float s = (static_cast<float>(y) + 0.5f - clothTop) / (clothBottom - clothTop);
            Colour c = Hex(0xD42A2A);
            if (InStar((t - 0.42f) * length, (s - 0.5f) * (clothBottom - clothTop), 7.5f, 3.2f)) c = Hex(0xFFE35A);
            if (s < 0.12f || s > 0.88f) c = Hex(0xF2C418);            // border stripes
            cloth.Set(x, y, c * shade);
        }
    }
    cloth.Outline(0.35f);
    canvas.Paste(pole, 0, 0);
    canvas.Paste(cloth, 0, 0);
    return canvas;
}

// --- torch ------------------------------------------------------------------

Canvas DrawTorch(float phase) {
    Canvas canvas(kCellWidth, kPieceHeight);
    DrawPlinth(canvas, 26, 5);
    Canvas stand(kCellWidth, kPieceHeight);
    Rect(stand, 43, 44, 49, kGround - 5, Hex(0x6B4A2E));
    // The bowl.
    for (std::int32_t y = 36; y < 46; ++y)
        for (std::int32_t x = 32; x < 61; ++x) {
            const float dx = (static_cast<float>(x) + 0.5f - 46) / 14, dy = (static_cast<float>(y) + 0.5f - 36) / 9;
            if (dy >= 0 && dx * dx + dy * dy <= 1)
                stand.Set(x, y, Mix(Hex(0x5A5E66), Hex(0x2C2E34), Clamp01(0.5f + dx * 0.5f)) * (1.1f - 0.3f * dy));
        }
    for (std::int32_t x = 32; x < 61; ++x) stand.Set(x, 36, Hex(0x8A8F98));
    stand.Outline(0.35f);
    canvas.Paste(stand, 0, 0);

    // The flame: a teardrop pushed about by noise that loops with the phase.
    const float ca = std::cos(2 * kPi * phase) * 1.6f, sa = std::sin(2 * kPi * phase) * 1.6f;
    Canvas flame(kCellWidth, kPieceHeight);
    const float base = 37, tip = 6;
    for (std::int32_t y = static_cast<std::int32_t>(tip) - 2; y < static_cast<std::int32_t>(base); ++y)
        for (std::int32_t x = 28; x < 64; ++x) {
            const float py = static_cast<float>(y) + 0.5f, px = static_cast<float>(x) + 0.5f;
            const float t = (base - py) / (base - tip);  // 0 at the bowl, 1 at the tip
            const float sway = (ValueNoise(py * 0.12f + ca, sa, 223) - 0.5f) * 8 * t;
            const float width = 12 * std::sqrt(Clamp01(1 - t)) * (0.55f + 0.45f * (1 - t));
            const float d = std::fabs(px - 46 - sway) / std::max(width, 0.01f);
            const float flicker = ValueNoise(px * 0.25f + ca, py * 0.2f + sa, 227);
            const float heat = (1 - d) * (1.1f - 0.5f * t) + 0.25f * (flicker - 0.5f);
            if (heat <= 0.05f) continue;
            Colour c;
            if (heat > 0.8f) c = Hex(0xFFF6C8);
            else if (heat > 0.55f) c = Hex(0xFFD84A);
            else if (heat > 0.3f) c = Hex(0xFF9A1A);
            else c = Hex(0xE0481A);
            flame.Set(x, y, c);
        }
    // Sparks rising and looping with the phase.
    for (int i = 0; i < 4; ++i) {
        const float p = std::fmod(phase + static_cast<float>(i) * 0.25f, 1.0f);
        const float sx = 46 + 9 * std::sin(static_cast<float>(i) * 2.1f + p * 3);
        const float sy = 30 - p * 28;
        flame.Set(static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy), Hex(0xFFE070));
    }
    canvas.Paste(flame, 0, 0);
    return canvas;
}

// --- crystal ----------------------------------------------------------------

struct V3 {
    float x, y, z;
};
V3 Sub(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Dot3(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 Unit(V3 v) {
    const float n = std::sqrt(Dot3(v, v));
    return {v.x / n, v.y / n, v.z / n};
}

void FillTriangle(Canvas& canvas, const std::array<float, 2>& a, const std::array<float, 2>& b,
                  const std::array<float, 2>& c, const std::function<Colour(float, float)>& shade) {
    const float minX = std::min({a[0], b[0], c[0]}), maxX = std::max({a[0], b[0], c[0]});
    const float minY = std::min({a[1], b[1], c[1]}), maxY = std::max({a[1], b[1], c[1]});
    const float area = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
    if (std::fabs(area) < 1e-3f) return;
    for (auto y = static_cast<std::int32_t>(std::floor(minY)); y <= static_cast<std::int32_t>(std::ceil(maxY)); ++y)
        for (auto x = static_cast<std::int32_t>(std::floor(minX)); x <= static_cast<std::int32_t>(std::ceil(maxX)); ++x) {
            const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            const float w0 = ((b[0] - px) * (c[1] - py) - (b[1] - py) * (c[0] - px)) / area;
            const float w1 = ((c[0] - px) * (a[1] - py) - (c[1] - py) * (a[0] - px)) / area;
            const float w2 = 1 - w0 - w1;
            if (w0 >= 0 && w1 >= 0 && w2 >= 0) canvas.Set(x, y, shade(px, py));
        }
}

Canvas DrawCrystal(float phase) {
    Canvas canvas(kCellWidth, kPieceHeight);
    DrawPlinth(canvas, 34, 7);
    const float tilt = 0.42f, cosT = std::cos(tilt), sinT = std::sin(tilt);
    const float cx = kHalfWidth, cy = 34 + 3 * std::sin(2 * kPi * phase);
    const float spin = 2 * kPi * phase / 6;  // six-fold, so a sixth of a turn loops
    std::array<V3, 8> v{};
    for (int i = 0; i < 6; ++i) {
        const float a = spin + static_cast<float>(i) * kPi / 3;
        v[static_cast<std::size_t>(i)] = {15 * std::cos(a), 0, 15 * std::sin(a)};
    }
    v[6] = {0, 24, 0};   // top apex
    v[7] = {0, -22, 0};  // bottom apex
    const auto project = [&](V3 p) { return std::array<float, 2>{cx + p.x, cy - (p.y * cosT) + p.z * sinT}; };
    const V3 view{0, sinT, cosT};
    const V3 light = Unit({-0.5f, 0.8f, 0.6f});
    Canvas gem(kCellWidth, kPieceHeight);
    for (int i = 0; i < 6; ++i) {
        const V3 p = v[static_cast<std::size_t>(i)], q = v[static_cast<std::size_t>((i + 1) % 6)];
        for (int apex = 6; apex < 8; ++apex) {
            const V3 t = v[static_cast<std::size_t>(apex)];
            V3 normal = Unit(Cross(Sub(q, t), Sub(p, t)));
            const V3 centre{(p.x + q.x + t.x) / 3, (p.y + q.y + t.y) / 3, (p.z + q.z + t.z) / 3};
            if (Dot3(normal, centre) < 0) normal = {-normal.x, -normal.y, -normal.z};
            if (Dot3(normal, view) <= 0) continue;
            const float diffuse = std::max(0.0f, Dot3(normal, light));
            const float glint = std::pow(std::max(0.0f, Dot3(Unit({light.x + view.x, light.y + view.y, light.z + view.z}), normal)), 24.0f);
            const Colour face = Mix(Hex(0x1E6FD0) * (0.45f + 0.8f * diffuse), Hex(0xFFFFFF), Clamp01(glint));
            FillTriangle(gem, project(t), project(p), project(q), [&](float px, float py) {
                return Mix(face, Hex(0x9FE8FF), 0.15f * ValueNoise(px * 0.3f, py * 0.3f, 229));
            });
        }
    }
    gem.Outline(0.4f);
    canvas.Paste(gem, 0, 0);
    // Twinkles around the crystal.
    for (int i = 0; i < 3; ++i) {
        const float p = std::fmod(phase + static_cast<float>(i) / 3, 1.0f);
        if (p > 0.5f) continue;
        const auto sx = static_cast<std::int32_t>(cx - 22 + static_cast<float>(i) * 21);
        const auto sy = static_cast<std::int32_t>(16 + static_cast<float>((i * 13) % 20));
        const std::int32_t arm = p < 0.25f ? 2 : 1;
        for (std::int32_t k = -arm; k <= arm; ++k) {
            canvas.Set(sx + k, sy, Hex(0xE8FAFF));
            canvas.Set(sx, sy + k, Hex(0xE8FAFF));
        }
    }
    return canvas;
}

// --- pinwheel -----------------------------------------------------------------

Canvas DrawPinwheel(float phase) {
    Canvas canvas(kCellWidth, kPieceHeight);
    DrawPlinth(canvas, 24, 5);
    Canvas stick(kCellWidth, kPieceHeight);
    Rect(stick, 44, 30, 48, kGround - 5, Hex(0xC89A5A));
    stick.Outline(0.35f);
    canvas.Paste(stick, 0, 0);

    const float cx = kHalfWidth, cy = 29, radius = 22;
    const std::array<std::uint32_t, 4> colours{0xE03A3A, 0xF2C418, 0x2D7FE0, 0x34B04A};
    Canvas wheel(kCellWidth, kPieceHeight);
    const float turn = 2 * kPi * phase;
    for (std::int32_t y = 0; y < kPieceHeight; ++y)
        for (std::int32_t x = 0; x < kCellWidth; ++x) {
            const float dx = static_cast<float>(x) + 0.5f - cx, dy = static_cast<float>(y) + 0.5f - cy;
            const float r = std::sqrt(dx * dx + dy * dy);
            if (r > radius) continue;
            float a = std::atan2(dy, dx) - turn;
            a = std::fmod(a + 8 * kPi, 2 * kPi);
            const float sector = a / (kPi / 2);
            const auto blade = static_cast<std::size_t>(sector) % 4;
            const float within = sector - std::floor(sector);
            // Each blade is a curled triangle: wide at its leading edge, narrowing towards the centre.
            if (within > 0.15f + 0.75f * (r / radius)) continue;
            const float fold = within < 0.5f * (r / radius) ? 1.15f : 0.75f;
            wheel.Set(x, y, Hex(colours[blade]) * fold);
        }
    wheel.Outline(0.35f);
    for (std::int32_t y = -2; y <= 2; ++y)
        for (std::int32_t x = -2; x <= 2; ++x)
            if (x * x + y * y <= 5) wheel.Set(46 + x, 29 + y, x + y < 0 ? Hex(0xFFFFFF) : Hex(0xBFC4CC));
    canvas.Paste(wheel, 0, 0);
    return canvas;
}

ImageItem Strip(const char* name, const std::function<Canvas(float)>& draw) {
    Canvas strip(kCellWidth * kAnimationPatterns, kPieceHeight);
    for (std::int32_t n = 0; n < kAnimationPatterns; ++n) strip.Paste(draw(AnimationPhase(n)), n * kCellWidth, 0);
    return MakeItem(name, strip, kCellWidth, kPieceHeight);
}

}  // namespace

float AnimationPhase(std::int32_t pattern) {
    const std::int32_t loop = kAnimationPatterns - 1;
    const std::int32_t step = pattern == 0 ? loop - 1 : (pattern - 1) % loop;
    return static_cast<float>(step) / static_cast<float>(loop);
}

ImageSet MakeAnimatedSet() {
    ImageSet set;
    set.Items.push_back(Strip("Flag", DrawFlag));
    set.Items.push_back(Strip("Torch", DrawTorch));
    set.Items.push_back(Strip("Crystal", DrawCrystal));
    set.Items.push_back(Strip("Pinwheel", DrawPinwheel));
    return set;
}

}  // namespace klv::art
