#pragma once
// Windows bitmaps as pictures hold them: packed DIBs (header, colour table,
// bits) and complete BMP files. Bit counts 1, 4, 8, 16, 24 and 32; plain,
// RLE8, RLE4 and bitfields; info and core headers; bottom-up and top-down.

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/imageset/image_set.h"

namespace klv::dxg {

// Bounds that hold before anything is allocated: a picture larger than this
// is refused rather than trusted.
inline constexpr std::int32_t kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPictureBytes = 64LL * 1024 * 1024;  // decoded, 4 bytes a pixel

// Fill `picture`'s Width, Height, BitCount and Pixels (0x00RRGGBB, top-down).
// Return an empty string, or what is wrong with the bytes. A header of zero
// width or height gives an empty picture, not an error.
std::string DecodePackedDib(const std::uint8_t* data, std::size_t size, Picture& picture);
std::string DecodeBmpFile(const std::uint8_t* data, std::size_t size, Picture& picture);

}  // namespace klv::dxg
