#pragma once
// PNG files for the tools: 8-bit RGB in and out.

#include <cstdint>
#include <string>
#include <vector>

namespace klv {

struct RgbImage {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint8_t> Bytes;  // R, G, B per pixel, rows top-down
};

// Pixels as 0x00RRGGBB, rows top-down (the form decoded pictures take).
RgbImage RgbImageFromPixels(std::int32_t width, std::int32_t height, const std::vector<std::uint32_t>& pixels);

enum class PngSpeed { Small, Fast };

// Writes `image` to `path`; returns an empty string or the reason it failed.
std::string WritePng(const std::string& path, const RgbImage& image, PngSpeed speed = PngSpeed::Small);
// Reads any PNG as 8-bit RGB (alpha dropped); returns an empty string or the reason.
std::string ReadPng(const std::string& path, RgbImage& image);

}  // namespace klv
