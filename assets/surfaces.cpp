// Floor textures: flat diamonds covering exactly the pixels of their cell.

#include <cmath>
#include <functional>

#include "assets/art_canvas.h"
#include "assets/default_sets.h"
#include "assets/iso_geometry.h"

namespace klv::art {

namespace {

using Texture = std::function<Colour(FaceUv, std::int32_t x, std::int32_t y)>;

float Frac(float v) { return v - std::floor(v); }

Canvas DrawSurface(const Texture& texture) {
    Canvas canvas(kCellWidth, kCellHeight);
    for (std::int32_t y = 0; y < kCellHeight; ++y)
        for (std::int32_t x = 0; x < kCellWidth; ++x) {
            if (!InCellDiamond(x, y, kCellHeight)) continue;
            const FaceUv uv = TopUv(x, y, 0);
            Colour c = texture(uv, x, y);
            // A faint bevel so neighbouring tiles read as tiles.
            if (std::min(uv.u, uv.v) < 0.03f) c = Mix(c, Hex(0xFFFFFF), 0.12f);
            else if (std::max(uv.u, uv.v) > 0.97f) c = c * 0.85f;
            canvas.Set(x, y, c);
        }
    return canvas;
}

Colour Water(FaceUv uv, std::int32_t, std::int32_t) {
    const float n = Fbm(uv.u * 4, uv.v * 4, 301);
    Colour c = Mix(Hex(0x174A96), Hex(0x2E86D4), n);
    const float wave = std::sin((uv.u * 3 - uv.v * 2) * 9 + n * 7);
    if (wave > 0.92f) c = Mix(c, Hex(0xBDEBFF), 0.7f);
    else if (wave > 0.75f) c = Mix(c, Hex(0x6EC2F0), 0.35f);
    return c;
}

Colour Lava(FaceUv uv, std::int32_t, std::int32_t) {
    const Cells cells = Voronoi(uv.u * 3.5f, uv.v * 3.5f, 307);
    const float crack = cells.F2 - cells.F1;
    const float glow = std::exp(-crack * 9);
    Colour crust = Mix(Hex(0x3A1510), Hex(0x6A2414), Fbm(uv.u * 10, uv.v * 10, 311));
    Colour c = Mix(crust, Hex(0xFF7A10), glow);
    if (crack < 0.05f) c = Mix(Hex(0xFFF08A), Hex(0xFFA020), crack / 0.05f);
    return c;
}

Colour Meadow(FaceUv uv, std::int32_t x, std::int32_t y) {
    Colour c = Mix(Hex(0x3A8A30), Hex(0x7CC850), Fbm(uv.u * 7, uv.v * 7, 313));
    const float h = HashUnit(x, y, 317);
    if (h > 0.985f) c = (Hash(x, y, 319) % 2 == 0) ? Hex(0xFFF4A0) : Hex(0xFFFFFF);  // flowers
    else if (h > 0.9f) c = c * 1.15f;
    else if (h < 0.08f) c = c * 0.8f;
    return c;
}

Colour Desert(FaceUv uv, std::int32_t x, std::int32_t y) {
    const float ripple = std::sin((uv.u + uv.v * 2) * 16 + Fbm(uv.u * 3, uv.v * 3, 331) * 5);
    Colour c = Mix(Hex(0xD8B26A), Hex(0xF0D698), 0.5f + 0.3f * ripple);
    const float grain = HashUnit(x, y, 337);
    if (grain > 0.92f) c = c * 1.07f;
    else if (grain < 0.08f) c = c * 0.9f;
    return c;
}

Colour StoneTiles(FaceUv uv, std::int32_t, std::int32_t) {
    if (Frac(uv.u * 2) < 0.05f || Frac(uv.v * 2) < 0.05f) return Hex(0x55524E);
    const auto tile = static_cast<std::int32_t>(uv.u * 2) + static_cast<std::int32_t>(uv.v * 2);
    const Colour base = tile % 2 == 0 ? Hex(0xA9A49C) : Hex(0x918C85);
    return base * (0.9f + 0.2f * Fbm(uv.u * 12, uv.v * 12, 347));
}

Colour WoodFloor(FaceUv uv, std::int32_t, std::int32_t) {
    const float plank = std::floor(uv.v * 5);
    const float along = uv.u * 1.5f + HashUnit(static_cast<std::int32_t>(plank), 0, 349);
    if (Frac(uv.v * 5) < 0.09f || Frac(along) < 0.025f) return Hex(0x4A2C16);
    const float grain = Fbm(uv.u * 3 + plank * 5, uv.v * 50, 353);
    const float tint = HashUnit(static_cast<std::int32_t>(plank), static_cast<std::int32_t>(std::floor(along)), 359);
    return Mix(Hex(0xA8703A), Hex(0xD29A5C), 0.6f * grain + 0.4f * tint);
}

Colour IceFloor(FaceUv uv, std::int32_t, std::int32_t) {
    Colour c = Mix(Hex(0x9ED6EE), Hex(0xE4F6FF), Fbm(uv.u * 4, uv.v * 4, 367));
    const Cells cells = Voronoi(uv.u * 3, uv.v * 3, 373);
    if (cells.F2 - cells.F1 < 0.035f) c = Mix(c, Hex(0xFFFFFF), 0.7f);
    if (std::fabs(uv.u - uv.v - 0.2f) < 0.03f) c = Mix(c, Hex(0xFFFFFF), 0.5f);
    return c;
}

Colour Checker(FaceUv uv, std::int32_t, std::int32_t) {
    const auto square = static_cast<std::int32_t>(uv.u * 4) + static_cast<std::int32_t>(uv.v * 4);
    const bool dark = square % 2 != 0;
    const float vein = std::fabs(std::sin(uv.u * 7 + uv.v * 4 + Fbm(uv.u * 5, uv.v * 5, 379) * 6));
    Colour c = dark ? Hex(0x4A4658) : Hex(0xECE8F0);
    if (vein < 0.07f) c = Mix(c, dark ? Hex(0x6A6478) : Hex(0xA09AAE), 0.5f);
    return c;
}

}  // namespace

ImageSet MakeSurfaceSet() {
    const std::pair<const char*, Texture> surfaces[] = {
        {"Water", Water},   {"Lava", Lava},     {"Meadow", Meadow},      {"Sand", Desert},
        {"Stone Tiles", StoneTiles}, {"Wooden Floor", WoodFloor}, {"Ice", IceFloor}, {"Marble Checker", Checker},
    };
    ImageSet set;
    for (const auto& [name, texture] : surfaces) set.Items.push_back(MakeItem(name, DrawSurface(texture)));
    return set;
}

}  // namespace klv::art
