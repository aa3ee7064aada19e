#include "tools/json/imageset_json.h"

#include <cstdio>
#include <limits>

namespace klv {

std::string ColourValueToHex(std::uint32_t colourValue) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colourValue & 0xFF, (colourValue >> 8) & 0xFF, (colourValue >> 16) & 0xFF);
    return text;
}

bool HexToColourValue(const std::string& text, std::uint32_t& colourValue) {
    if (text.size() != 7 || text[0] != '#') return false;
    std::uint32_t rgb = 0;
    for (std::size_t i = 1; i < 7; ++i) {
        const char c = text[i];
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f') digit = static_cast<std::uint32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else return false;
        rgb = rgb << 4 | digit;
    }
    colourValue = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return true;
}

nlohmann::ordered_json ImageItemToJson(const ImageItem& item, std::size_t index) {
    return nlohmann::ordered_json{
        {"index", index},
        {"name", item.Name},
        {"class", item.Picture.GraphicClass},
        {"width", item.Picture.Width},
        {"height", item.Picture.Height},
        {"bitCount", item.Picture.BitCount},
        {"patternWidth", item.PatternWidth},
        {"patternHeight", item.PatternHeight},
        {"skipWidth", item.SkipWidth},
        {"skipHeight", item.SkipHeight},
        {"patterns", item.PatternCount()},
        {"transparent", item.Transparent},
        {"transparentColor", ColourValueToHex(item.TransparentColor)},
        {"systemMemory", item.SystemMemory},
    };
}

nlohmann::ordered_json ImageSetToJson(const ImageSet& set) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < set.Items.size(); ++i) list.push_back(ImageItemToJson(set.Items[i], i));
    return list;
}

namespace {

std::string ReadInt(const nlohmann::json& object, const char* key, std::int32_t& value) {
    const auto it = object.find(key);
    if (it == object.end()) return {};
    if (!it->is_number_integer()) return std::string("\"") + key + "\" is not an integer";
    const auto v = it->get<std::int64_t>();
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return std::string("\"") + key + "\" is out of range";
    value = static_cast<std::int32_t>(v);
    return {};
}

std::string ReadBool(const nlohmann::json& object, const char* key, bool& value) {
    const auto it = object.find(key);
    if (it == object.end()) return {};
    if (!it->is_boolean()) return std::string("\"") + key + "\" is not true or false";
    value = it->get<bool>();
    return {};
}

}  // namespace

std::string ImageItemPropertiesFromJson(const nlohmann::json& object, ImageItem& item) {
    if (!object.is_object()) return "an image is not a JSON object";
    if (const auto it = object.find("name"); it != object.end()) {
        if (!it->is_string()) return "\"name\" is not a string";
        item.Name = it->get<std::string>();
    }
    for (const auto& [key, field] : {std::pair<const char*, std::int32_t*>{"patternWidth", &item.PatternWidth},
                                     {"patternHeight", &item.PatternHeight},
                                     {"skipWidth", &item.SkipWidth},
                                     {"skipHeight", &item.SkipHeight}}) {
        if (std::string error = ReadInt(object, key, *field); !error.empty()) return error;
    }
    if (std::string error = ReadBool(object, "transparent", item.Transparent); !error.empty()) return error;
    if (std::string error = ReadBool(object, "systemMemory", item.SystemMemory); !error.empty()) return error;
    if (const auto it = object.find("transparentColor"); it != object.end()) {
        if (!it->is_string() || !HexToColourValue(it->get<std::string>(), item.TransparentColor))
            return "\"transparentColor\" is not a colour of the form \"#RRGGBB\"";
    }
    return {};
}

}  // namespace klv
