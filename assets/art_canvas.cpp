#include "assets/art_canvas.h"

#include <algorithm>
#include <cmath>

namespace klv::art {

Colour Hex(std::uint32_t rgb) {
    return {static_cast<float>((rgb >> 16) & 0xFF), static_cast<float>((rgb >> 8) & 0xFF), static_cast<float>(rgb & 0xFF)};
}

Colour Mix(Colour a, Colour b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

float SmoothStep(float edge0, float edge1, float v) {
    const float t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

bool LooksLikeKey(std::uint32_t rgb) {
    const std::uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return (r >> 3) == 31 && (g >> 2) == 0 && (b >> 3) == 31;
}

std::uint32_t ToPixel(Colour c) {
    const auto channel = [](float v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0f, 255.0f))); };
    std::uint32_t r = channel(c.r), g = channel(c.g), b = channel(c.b);
    std::uint32_t rgb = (r << 16) | (g << 8) | b;
    if (LooksLikeKey(rgb)) rgb = (r << 16) | (8u << 8) | b;  // a hint of green is enough
    return rgb;
}

Canvas::Canvas(std::int32_t width, std::int32_t height)
    : Width(width), Height(height), Pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kKeyPixel) {}

void Canvas::Set(std::int32_t x, std::int32_t y, Colour c) {
    if (!Inside(x, y)) return;
    Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)] = ToPixel(c);
}

void Canvas::Clear(std::int32_t x, std::int32_t y) {
    if (!Inside(x, y)) return;
    Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)] = kKeyPixel;
}

void Canvas::Outline(float darkness, bool includeCanvasEdge) {
    std::vector<bool> edge(Pixels.size(), false);
    for (std::int32_t y = 0; y < Height; ++y)
        for (std::int32_t x = 0; x < Width; ++x) {
            if (!Opaque(x, y)) continue;
            const std::int32_t nx[4] = {x - 1, x + 1, x, x};
            const std::int32_t ny[4] = {y, y, y - 1, y + 1};
            for (int i = 0; i < 4; ++i) {
                const bool outside = !Inside(nx[i], ny[i]);
                if ((outside && includeCanvasEdge) || (!outside && Get(nx[i], ny[i]) == kKeyPixel))
                    edge[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)] = true;
            }
        }
    for (std::int32_t y = 0; y < Height; ++y)
        for (std::int32_t x = 0; x < Width; ++x)
            if (edge[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)])
                Set(x, y, GetColour(x, y) * darkness);
}

void Canvas::Paste(const Canvas& src, std::int32_t x, std::int32_t y) {
    for (std::int32_t sy = 0; sy < src.Height; ++sy)
        for (std::int32_t sx = 0; sx < src.Width; ++sx)
            if (src.Get(sx, sy) != kKeyPixel && Inside(x + sx, y + sy))
                Pixels[static_cast<std::size_t>(y + sy) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x + sx)] = src.Get(sx, sy);
}

std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B9u ^ static_cast<std::uint32_t>(x) * 0x85EBCA6Bu ^ static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float HashUnit(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    return static_cast<float>(Hash(x, y, seed) & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

float ValueNoise(float x, float y, std::uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy);
    const float tx = x - fx, ty = y - fy;
    const float sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    const float a = HashUnit(ix, iy, seed), b = HashUnit(ix + 1, iy, seed);
    const float c = HashUnit(ix, iy + 1, seed), d = HashUnit(ix + 1, iy + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

float Fbm(float x, float y, std::uint32_t seed, int octaves) {
    float sum = 0, amplitude = 0.5f, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 131u) * amplitude;
        total += amplitude;
        x *= 2.03f;
        y *= 2.03f;
        amplitude *= 0.5f;
    }
    return sum / total;
}

Cells Voronoi(float x, float y, std::uint32_t seed) {
    const auto ix = static_cast<std::int32_t>(std::floor(x)), iy = static_cast<std::int32_t>(std::floor(y));
    Cells result{1e9f, 1e9f, 0};
    for (std::int32_t dy = -1; dy <= 1; ++dy)
        for (std::int32_t dx = -1; dx <= 1; ++dx) {
            const std::int32_t cx = ix + dx, cy = iy + dy;
            const float px = static_cast<float>(cx) + 0.15f + 0.7f * HashUnit(cx, cy, seed);
            const float py = static_cast<float>(cy) + 0.15f + 0.7f * HashUnit(cx, cy, seed + 7);
            const float d = std::hypot(px - x, py - y);
            if (d < result.F1) {
                result.F2 = result.F1;
                result.F1 = d;
                result.Id = Hash(cx, cy, seed + 13);
            } else if (d < result.F2) {
                result.F2 = d;
            }
        }
    return result;
}

ImageItem MakeItem(const std::string& name, const Canvas& canvas, std::int32_t patternWidth, std::int32_t patternHeight) {
    ImageItem item;
    item.Name = name;
    item.Picture.GraphicClass = "TDIB";
    item.Picture.IsBitmap = true;
    item.Picture.Width = canvas.Width;
    item.Picture.Height = canvas.Height;
    item.Picture.BitCount = 24;
    item.Picture.Pixels = canvas.Pixels;
    item.PatternWidth = patternWidth;
    item.PatternHeight = patternHeight;
    item.Transparent = true;
    item.TransparentColor = kKeyColourValue;
    return item;
}

}  // namespace klv::art
