#pragma once
// The JSON listing of an image set (klvtool images --json, export's
// set.json) and the way back from it (klvtool pack).

#include <cstddef>
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "model/imageset/image_set.h"

namespace klv {

// "#RRGGBB" for a colour value 0x00BBGGRR, and back.
std::string ColourValueToHex(std::uint32_t colourValue);
bool HexToColourValue(const std::string& text, std::uint32_t& colourValue);

// One object with the keys index, name, class, width, height, bitCount,
// patternWidth, patternHeight, skipWidth, skipHeight, patterns, transparent,
// transparentColor, systemMemory, in that order.
nlohmann::ordered_json ImageItemToJson(const ImageItem& item, std::size_t index);
nlohmann::ordered_json ImageSetToJson(const ImageSet& set);

// Reads the properties of one image (not its picture) from such an object;
// absent keys keep the defaults. Returns an empty string or what is wrong.
std::string ImageItemPropertiesFromJson(const nlohmann::json& object, ImageItem& item);

}  // namespace klv
