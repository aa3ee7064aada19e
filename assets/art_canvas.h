#pragma once
// Pixels for the generated default art: colours in floating point, a canvas
// that starts as the colour key, and the small noise functions the textures use.

#include <cstdint>
#include <string>
#include <vector>

#include "model/imageset/image_set.h"

namespace klv::art {

// The colour key of every bundled image (clFuchsia).
inline constexpr std::uint32_t kKeyPixel = 0xFF00FF;       // 0x00RRGGBB
inline constexpr std::uint32_t kKeyColourValue = 0xFF00FF;  // 0x00BBGGRR, the same colour

struct Colour {
    float r = 0, g = 0, b = 0;  // 0..255
};

inline Colour operator*(Colour c, float k) { return {c.r * k, c.g * k, c.b * k}; }
inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Colour Hex(std::uint32_t rgb);
Colour Mix(Colour a, Colour b, float t);  // t = 0 gives a
float Clamp01(float v);
float SmoothStep(float edge0, float edge1, float v);

// True when the renderer, working in 5-6-5, would take the pixel for the key.
bool LooksLikeKey(std::uint32_t rgb);
// Rounds and clamps; a colour that would read as the key is nudged off it.
std::uint32_t ToPixel(Colour c);

struct Canvas {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint32_t> Pixels;

    Canvas(std::int32_t width, std::int32_t height);
    bool Inside(std::int32_t x, std::int32_t y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
    bool Opaque(std::int32_t x, std::int32_t y) const { return Inside(x, y) && Get(x, y) != kKeyPixel; }
    std::uint32_t Get(std::int32_t x, std::int32_t y) const { return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)]; }
    Colour GetColour(std::int32_t x, std::int32_t y) const { return Hex(Get(x, y)); }
    void Set(std::int32_t x, std::int32_t y, Colour c);
    void Clear(std::int32_t x, std::int32_t y);
    // Darkens every opaque pixel that touches the key (4-neighbours) or the canvas edge.
    void Outline(float darkness, bool includeCanvasEdge = false);
    // Copies the non-key pixels of `src` with its top-left at (x, y).
    void Paste(const Canvas& src, std::int32_t x, std::int32_t y);
};

// Deterministic noise: the same art at every build.
std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed);
float HashUnit(std::int32_t x, std::int32_t y, std::uint32_t seed);  // 0..1
float ValueNoise(float x, float y, std::uint32_t seed);             // 0..1, smooth
float Fbm(float x, float y, std::uint32_t seed, int octaves = 4);    // 0..1
// Cellular noise: distances to the nearest and second-nearest feature point.
struct Cells {
    float F1 = 0, F2 = 0;
    std::uint32_t Id = 0;
};
Cells Voronoi(float x, float y, std::uint32_t seed);

ImageItem MakeItem(const std::string& name, const Canvas& canvas, std::int32_t patternWidth = 0,
                   std::int32_t patternHeight = 0);

}  // namespace klv::art
