#include "tools/support/png_io.h"

#include <png.h>

namespace klv {

RgbImage RgbImageFromPixels(std::int32_t width, std::int32_t height, const std::vector<std::uint32_t>& pixels) {
    RgbImage image;
    image.Width = width;
    image.Height = height;
    image.Bytes.reserve(pixels.size() * 3);
    for (const std::uint32_t p : pixels) {
        image.Bytes.push_back(static_cast<std::uint8_t>(p >> 16));
        image.Bytes.push_back(static_cast<std::uint8_t>(p >> 8));
        image.Bytes.push_back(static_cast<std::uint8_t>(p));
    }
    return image;
}

std::string WritePng(const std::string& path, const RgbImage& image, PngSpeed speed) {
    if (image.Width <= 0 || image.Height <= 0 ||
        image.Bytes.size() != static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height) * 3)
        return "image has no pixels";
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.Width);
    png.height = static_cast<png_uint_32>(image.Height);
    png.format = PNG_FORMAT_RGB;
    if (speed == PngSpeed::Fast) png.flags |= PNG_IMAGE_FLAG_FAST;
    if (!png_image_write_to_file(&png, path.c_str(), 0, image.Bytes.data(), 0, nullptr)) {
        std::string reason = png.message;
        png_image_free(&png);
        return "cannot write " + path + ": " + reason;
    }
    return {};
}

std::string ReadPng(const std::string& path, RgbImage& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        std::string reason = png.message;
        png_image_free(&png);
        return "cannot read " + path + ": " + reason;
    }
    png.format = PNG_FORMAT_RGB;
    RgbImage result;
    result.Width = static_cast<std::int32_t>(png.width);
    result.Height = static_cast<std::int32_t>(png.height);
    result.Bytes.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, result.Bytes.data(), 0, nullptr)) {
        std::string reason = png.message;
        png_image_free(&png);
        return "cannot decode " + path + ": " + reason;
    }
    image = std::move(result);
    return {};
}

}  // namespace klv
