// Ground blocks: a top diamond raised over the cell and two shaded side
// faces down to the cell's lower edges.

#include <cmath>
#include <functional>

#include "assets/art_canvas.h"
#include "assets/default_sets.h"
#include "assets/iso_geometry.h"

namespace klv::art {

namespace {

using TopTexture = std::function<Colour(FaceUv, std::int32_t x, std::int32_t y)>;
using SideTexture = std::function<Colour(FaceUv, bool left, std::int32_t x, std::int32_t y)>;

struct BlockStyle {
    const char* name;
    std::int32_t rise;
    TopTexture top;
    SideTexture side;
};

float Frac(float v) { return v - std::floor(v); }

Canvas DrawBlock(const BlockStyle& style) {
    const std::int32_t height = kCellHeight + style.rise;
    Canvas canvas(kCellWidth, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < kCellWidth; ++x) {
            const Face face = BlockFace(x, y, style.rise);
            if (face == Face::None) continue;
            Colour c;
            if (face == Face::Top) {
                const FaceUv uv = TopUv(x, y, 0);
                c = style.top(uv, x, y);
                // A bright rim where the top meets the sides, a soft one on the far edges.
                const float nearEdge = std::max(uv.u, uv.v);
                if (nearEdge > 0.955f) c = Mix(c, Hex(0xFFFFF0), 0.35f);
                else if (std::min(uv.u, uv.v) < 0.035f) c = Mix(c, Hex(0xFFFFF0), 0.15f);
            } else {
                const bool left = face == Face::Left;
                const FaceUv uv = SideUv(x, y, style.rise, left);
                c = style.side(uv, left, x, y) * (left ? 0.82f : 0.6f);
                // Contact shadow towards the ground, and a lit vertical edge at the seam.
                c = c * (1.0f - 0.25f * SmoothStep(0.7f, 1.0f, uv.v));
                if (x == kHalfWidth) c = Mix(c, Hex(0xFFFFF0), 0.25f);
                if (uv.v < 0.06f) c = c * 0.8f;
            }
            canvas.Set(x, y, c);
        }
    canvas.Outline(0.35f);
    return canvas;
}

// --- textures -------------------------------------------------------------

Colour GrassTop(FaceUv uv, std::int32_t x, std::int32_t y) {
    const float n = Fbm(uv.u * 9, uv.v * 9, 11);
    Colour c = Mix(Hex(0x2F7A2A), Hex(0x79C74A), n);
    const float blade = HashUnit(x, y, 5);
    if (blade > 0.92f) c = Mix(c, Hex(0xB5E86A), 0.6f);
    else if (blade < 0.06f) c = c * 0.75f;
    return c;
}

Colour GrassSide(FaceUv uv, bool, std::int32_t x, std::int32_t y) {
    const float lip = 0.22f + 0.08f * std::sin(uv.u * 31) + 0.08f * (ValueNoise(uv.u * 14, 3, 17) - 0.5f);
    if (uv.v < lip) return Mix(Hex(0x3F8F30), Hex(0x2B6A22), uv.v / lip);
    const float n = Fbm(uv.u * 6, uv.v * 5, 23);
    Colour c = Mix(Hex(0x6A4324), Hex(0x93623A), n);
    if (HashUnit(x / 2, y / 2, 29) > 0.95f) c = Mix(c, Hex(0xB8A48C), 0.7f);  // pebbles
    return c;
}

Colour CobbleTop(FaceUv uv, std::int32_t, std::int32_t) {
    const Cells cells = Voronoi(uv.u * 5, uv.v * 5, 41);
    if (cells.F2 - cells.F1 < 0.09f) return Hex(0x4A4A50);
    const float tint = static_cast<float>(cells.Id % 100) / 100.0f;
    Colour c = Mix(Hex(0x8C8C94), Hex(0xB4B2AE), tint);
    c = c * (1.08f - 0.35f * cells.F1) * (0.9f + 0.2f * Fbm(uv.u * 20, uv.v * 20, 43));
    return c;
}

Colour StoneSide(FaceUv uv, bool, std::int32_t, std::int32_t) {
    const float rows = 2.0f;
    const float row = std::floor(uv.v * rows);
    const float along = uv.u * 2.5f + (static_cast<int>(row) % 2 == 0 ? 0.0f : 0.5f);
    if (Frac(uv.v * rows) < 0.1f || Frac(along) < 0.05f) return Hex(0x45454B);
    const float tint = HashUnit(static_cast<std::int32_t>(std::floor(along)), static_cast<std::int32_t>(row), 47);
    Colour c = Mix(Hex(0x84848C), Hex(0xA8A6A0), tint);
    return c * (0.88f + 0.24f * Fbm(uv.u * 12, uv.v * 6, 53));
}

Colour BrickSide(FaceUv uv, bool, std::int32_t, std::int32_t) {
    const float rows = 5.0f;
    const float row = std::floor(uv.v * rows);
    const float along = uv.u * 3.0f + (static_cast<int>(row) % 2 == 0 ? 0.0f : 0.5f);
    if (Frac(uv.v * rows) < 0.16f || Frac(along) < 0.07f) return Hex(0xC9BBA5);  // mortar
    const float tint = HashUnit(static_cast<std::int32_t>(std::floor(along)), static_cast<std::int32_t>(row), 61);
    Colour c = Mix(Hex(0x9C3B26), Hex(0xC45A36), tint);
    return c * (0.85f + 0.25f * Fbm(uv.u * 16, uv.v * 16, 67));
}

Colour CapstoneTop(FaceUv uv, std::int32_t, std::int32_t) {
    if (Frac(uv.u * 2) < 0.04f || Frac(uv.v * 2) < 0.04f) return Hex(0x9C9280);
    const float tint = HashUnit(static_cast<std::int32_t>(uv.u * 2), static_cast<std::int32_t>(uv.v * 2), 71);
    return Mix(Hex(0xCFC5B0), Hex(0xE2D9C4), tint) * (0.9f + 0.15f * Fbm(uv.u * 14, uv.v * 14, 73));
}

Colour CrateTop(FaceUv uv, std::int32_t, std::int32_t) {
    if (uv.u < 0.1f || uv.u > 0.9f || uv.v < 0.1f || uv.v > 0.9f)
        return Mix(Hex(0x7A4E25), Hex(0x8F5E2E), Fbm(uv.u * 30, uv.v * 3, 79));
    const float plank = std::floor(uv.v * 4);
    if (Frac(uv.v * 4) < 0.08f) return Hex(0x4A2E14);
    const float grain = Fbm(uv.u * 3 + plank * 7, uv.v * 40, 83);
    return Mix(Hex(0xB57B3E), Hex(0xD9A160), grain);
}

Colour CrateSide(FaceUv uv, bool, std::int32_t, std::int32_t) {
    const bool frame = uv.u < 0.1f || uv.u > 0.9f || uv.v < 0.12f || uv.v > 0.88f;
    const bool brace = std::fabs(uv.u - (1 - uv.v)) < 0.09f;
    if (frame || brace) {
        Colour c = Mix(Hex(0x7A4E25), Hex(0x95622F), Fbm(uv.u * 20, uv.v * 20, 89));
        if (frame && uv.u > 0.12f && uv.u < 0.18f && (uv.v < 0.1f || uv.v > 0.9f)) c = Hex(0x3A3A3A);  // nail
        return c;
    }
    if (Frac(uv.v * 3) < 0.06f) return Hex(0x4A2E14);
    return Mix(Hex(0xB57B3E), Hex(0xD39A58), Fbm(uv.u * 2, uv.v * 30 + std::floor(uv.v * 3) * 5, 97));
}

Colour IceTop(FaceUv uv, std::int32_t, std::int32_t) {
    Colour c = Mix(Hex(0xA9DDF0), Hex(0xE6F7FF), Fbm(uv.u * 5, uv.v * 5, 101));
    const float streak = std::sin((uv.u - uv.v) * 14 + Fbm(uv.u * 4, uv.v * 4, 103) * 6);
    if (streak > 0.93f) c = Mix(c, Hex(0xFFFFFF), 0.7f);
    const Cells cells = Voronoi(uv.u * 3, uv.v * 3, 107);
    if (cells.F2 - cells.F1 < 0.03f) c = Mix(c, Hex(0x7FC2DE), 0.6f);
    return c;
}

Colour IceSide(FaceUv uv, bool left, std::int32_t, std::int32_t) {
    Colour c = Mix(Hex(0x8FD3EC), Hex(0x3E9CC8), uv.v);
    const float gloss = uv.u + uv.v * 0.6f;
    if (std::fabs(gloss - (left ? 0.55f : 0.75f)) < 0.06f) c = Mix(c, Hex(0xFFFFFF), 0.55f);
    const Cells cells = Voronoi(uv.u * 3, uv.v * 2, 109);
    if (cells.F2 - cells.F1 < 0.035f) c = Mix(c, Hex(0xDFF6FF), 0.5f);
    return c;
}

Colour SandTop(FaceUv uv, std::int32_t x, std::int32_t y) {
    const float ripple = std::sin((uv.u * 2 + uv.v) * 18 + Fbm(uv.u * 3, uv.v * 3, 113) * 5);
    Colour c = Mix(Hex(0xD9B56C), Hex(0xEED394), 0.5f + 0.5f * ripple * 0.6f);
    const float grain = HashUnit(x, y, 117);
    if (grain > 0.9f) c = c * 1.08f;
    else if (grain < 0.1f) c = c * 0.9f;
    return c;
}

Colour SandSide(FaceUv uv, bool, std::int32_t x, std::int32_t y) {
    const float band = std::sin(uv.v * 11 + Fbm(uv.u * 4, uv.v * 2, 119) * 3);
    Colour c = Mix(Hex(0xB98B4B), Hex(0xD8AE6A), 0.5f + 0.5f * band);
    if (HashUnit(x, y, 121) > 0.93f) c = c * 0.85f;
    return c;
}

bool Rivet(FaceUv uv, float inset, float radius, float& shade) {
    for (const float cu : {inset, 1 - inset})
        for (const float cv : {inset, 1 - inset}) {
            const float du = uv.u - cu, dv = uv.v - cv;
            const float d = std::sqrt(du * du + dv * dv);
            if (d < radius) {
                shade = (du + dv) < 0 ? 1.35f : 0.7f;
                return true;
            }
        }
    return false;
}

Colour MetalTop(FaceUv uv, std::int32_t, std::int32_t) {
    float shade = 1;
    if (Rivet(uv, 0.13f, 0.045f, shade)) return Hex(0xA7B0BA) * shade;
    Colour c = Mix(Hex(0x8994A0), Hex(0xB7C0CA), Fbm(uv.u * 2, uv.v * 40, 127));
    const float inset = std::min(std::min(uv.u, 1 - uv.u), std::min(uv.v, 1 - uv.v));
    if (inset > 0.22f && inset < 0.25f) c = c * 0.78f;  // panel groove
    return c;
}

Colour MetalSide(FaceUv uv, bool, std::int32_t, std::int32_t) {
    float shade = 1;
    FaceUv squashed{uv.u, uv.v};
    if (Rivet(squashed, 0.15f, 0.06f, shade)) return Hex(0xA7B0BA) * shade;
    Colour c = Mix(Hex(0x8A95A1), Hex(0xAEB8C2), Fbm(uv.u * 40, uv.v * 2, 131));
    if (std::fabs(uv.v - 0.5f) < 0.04f) c = c * 0.75f;
    return c;
}

Colour LavaRockTop(FaceUv uv, std::int32_t, std::int32_t) {
    const Cells cells = Voronoi(uv.u * 4, uv.v * 4, 137);
    const float crack = cells.F2 - cells.F1;
    if (crack < 0.06f) return Mix(Hex(0xFFE070), Hex(0xFF6A00), crack / 0.06f);
    if (crack < 0.12f) return Mix(Hex(0xB02A00), Hex(0x3A2C33), (crack - 0.06f) / 0.06f);
    return Mix(Hex(0x2A2430), Hex(0x4A4050), Fbm(uv.u * 10, uv.v * 10, 139));
}

Colour LavaRockSide(FaceUv uv, bool, std::int32_t, std::int32_t) {
    const Cells cells = Voronoi(uv.u * 3, uv.v * 2.5f, 149);
    const float crack = cells.F2 - cells.F1;
    if (crack < 0.05f) return Mix(Hex(0xFFB030), Hex(0xE04000), crack / 0.05f);
    return Mix(Hex(0x2A2430), Hex(0x463C4C), Fbm(uv.u * 8, uv.v * 8, 151));
}

Colour MarbleTop(FaceUv uv, std::int32_t, std::int32_t) {
    const float vein = std::fabs(std::sin(uv.u * 5 + uv.v * 3 + Fbm(uv.u * 4, uv.v * 4, 157) * 7));
    Colour c = Mix(Hex(0xE9E6EE), Hex(0xFAF8FF), Fbm(uv.u * 6, uv.v * 6, 163));
    if (vein < 0.12f) c = Mix(c, Hex(0x7A7088), 0.75f * (1 - vein / 0.12f));
    return c;
}

Colour MarbleSide(FaceUv uv, bool, std::int32_t, std::int32_t) {
    // Fluted column: vertical grooves.
    const float flute = std::cos(uv.u * 3.14159f * 6);
    Colour c = Mix(Hex(0xD8D4E0), Hex(0xF4F2FA), 0.5f + 0.5f * flute);
    const float vein = std::fabs(std::sin(uv.v * 6 + uv.u * 2 + Fbm(uv.u * 3, uv.v * 3, 167) * 6));
    if (vein < 0.1f) c = Mix(c, Hex(0x7A7088), 0.6f * (1 - vein / 0.1f));
    // A moulded capital and base.
    if (uv.v < 0.1f || uv.v > 0.9f) c = Hex(0xE6E2EC) * 0.95f;
    if (std::fabs(uv.v - 0.1f) < 0.025f || std::fabs(uv.v - 0.9f) < 0.025f) c = c * 0.7f;
    return c;
}

// Leaves in clumps, lit from above, with a few berries.
Colour Leaves(FaceUv uv, float scaleU, float scaleV, std::int32_t x, std::int32_t y, std::uint32_t seed) {
    const Cells clump = Voronoi(uv.u * scaleU, uv.v * scaleV, seed);
    Colour c = Mix(Hex(0x2E6B22), Hex(0x6FB83C), Clamp01(1.1f - clump.F1 * 1.4f));
    c = c * (0.8f + 0.4f * ValueNoise(static_cast<float>(x) * 0.7f, static_cast<float>(y) * 0.7f, seed + 2));  // single leaves
    if (clump.F2 - clump.F1 < 0.06f) c = Mix(c, Hex(0x1C4416), 0.7f);
    const float h = HashUnit(x, y, seed + 1);
    if (h > 0.93f) c = Mix(c, Hex(0xA8E070), 0.6f);
    if (h < 0.012f) c = Hex(0xD8303A);
    return c;
}

Colour HedgeTop(FaceUv uv, std::int32_t x, std::int32_t y) { return Leaves(uv, 6, 6, x, y, 173); }

Colour HedgeSide(FaceUv uv, bool left, std::int32_t x, std::int32_t y) {
    return Leaves({uv.u, uv.v}, 5, 4, x, y, left ? 179u : 181u) * (1.0f - 0.2f * uv.v);
}

}  // namespace

ImageSet MakeLandSet() {
    const BlockStyle styles[] = {
        {"Grass", 24, GrassTop, GrassSide},
        {"Stone", 24, CobbleTop, StoneSide},
        {"Brick Wall", 40, CapstoneTop, BrickSide},
        {"Wooden Crate", 30, CrateTop, CrateSide},
        {"Ice", 24, IceTop, IceSide},
        {"Sand", 12, SandTop, SandSide},
        {"Steel", 24, MetalTop, MetalSide},
        {"Lava Rock", 24, LavaRockTop, LavaRockSide},
        {"Marble Pillar", 46, MarbleTop, MarbleSide},
        {"Hedge", 36, HedgeTop, HedgeSide},
    };
    ImageSet set;
    for (const BlockStyle& style : styles) set.Items.push_back(MakeItem(style.name, DrawBlock(style)));
    return set;
}

}  // namespace klv::art
