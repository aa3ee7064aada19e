#pragma once
// Packed DIBs as the image-set writer stores pictures: 8 bits with a colour
// table when the picture has at most 256 colours, else 24 bits; rows
// bottom-up, uncompressed, the layout every Windows bitmap reader accepts.

#include <cstdint>
#include <vector>

#include "model/imageset/image_set.h"

namespace klv::dxg {

std::vector<std::uint8_t> EncodePackedDib(const Picture& picture);

}  // namespace klv::dxg
