#include "tools/json/level_json.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <set>
#include <utility>

#include <nlohmann/json.hpp>

#include "model/level_file.h"

namespace klv {

namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

constexpr char kHexDigits[] = "0123456789abcdef";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsPlainAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

OrderedJson LayerCodeJson(const ShortString10& code) {
    if (code.length <= ShortString10::kCapacity && IsPlainAscii(code.text())) return std::string(code.text());
    const std::size_t named = std::min<std::size_t>(code.length, ShortString10::kCapacity);
    OrderedJson object = OrderedJson::object();
    object["length"] = code.length;
    object["bytes"] = HexOf(reinterpret_cast<const std::uint8_t*>(code.chars.data()), named);
    return object;
}

OrderedJson CellJson(const LevelState& level, std::size_t a, std::size_t b) {
    const TCellShape& s = level.CellShapes[a][b];
    const TCellRecord& cell = level.Cells[a][b];
    const auto record = CellRecordBytes(cell);
    OrderedJson out = OrderedJson::object();
    out["a"] = a;
    out["b"] = b;
    out["shape"] = {s.Top.x, s.Top.y, s.Left.x, s.Left.y, s.Bottom.x, s.Bottom.y, s.Right.x, s.Right.y};
    out["layerCode"] = LayerCodeJson(cell.LayerCode);
    out["tileIndex"] = cell.TileIndex;
    out["surfaceIndex"] = cell.SurfaceIndex;
    out["record"] = HexOf(record.data(), record.size());
    return out;
}

// Reading: every check reports where it failed; the first failure wins.
class JsonError {
public:
    bool Failed() const { return !message_.empty(); }
    const std::string& Message() const { return message_; }
    bool Fail(std::string message) {
        if (message_.empty()) message_ = std::move(message);
        return false;
    }

private:
    std::string message_;
};

bool ReadInteger(const Json& value, const std::string& where, std::int64_t low, std::int64_t high,
                 std::int64_t& out, JsonError& error) {
    if (value.is_number_unsigned()) {
        const auto u = value.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(high)) return error.Fail(where + " is " + std::to_string(u) + ", outside " + std::to_string(low) + ".." + std::to_string(high));
        out = static_cast<std::int64_t>(u);
        return true;
    }
    if (!value.is_number_integer()) return error.Fail(where + " must be an integer, not " + value.type_name());
    out = value.get<std::int64_t>();
    if (out < low || out > high)
        return error.Fail(where + " is " + std::to_string(out) + ", outside " + std::to_string(low) + ".." +
                          std::to_string(high));
    return true;
}

bool ReadInt32(const Json& value, const std::string& where, std::int32_t& out, JsonError& error) {
    std::int64_t v = 0;
    if (!ReadInteger(value, where, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
                     v, error))
        return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

bool OnlyKnownKeys(const Json& object, std::initializer_list<std::string_view> known, const std::string& where,
                   JsonError& error) {
    for (const auto& item : object.items()) {
        if (std::find(known.begin(), known.end(), item.key()) == known.end())
            return error.Fail(where + " has an unknown key \"" + item.key() + "\"");
    }
    return true;
}

bool ApplyRecord(const Json& value, const std::string& where, TCellRecord& cell, JsonError& error) {
    if (!value.is_string()) return error.Fail(where + ".record must be a string, not " + value.type_name());
    const auto& hex = value.get_ref<const std::string&>();
    std::vector<std::uint8_t> bytes;
    if (hex.size() != 2 * kCellRecordSize || !BytesFromHex(hex, bytes))
        return error.Fail(where + ".record must be " + std::to_string(2 * kCellRecordSize) + " hex digits");
    CellRecordBytesArray image{};
    std::copy(bytes.begin(), bytes.end(), image.begin());
    cell = CellRecordFromBytes(image);
    return true;
}

bool ApplyShape(const Json& value, const std::string& where, TCellShape& shape, JsonError& error) {
    if (!value.is_array() || value.size() != 8)
        return error.Fail(where + ".shape must be an array of 8 integers [tx, ty, lx, ly, bx, by, rx, ry]");
    std::int32_t v[8] = {};
    for (std::size_t i = 0; i < 8; ++i)
        if (!ReadInt32(value[i], where + ".shape[" + std::to_string(i) + "]", v[i], error)) return false;
    shape = {{v[0], v[1]}, {v[2], v[3]}, {v[4], v[5]}, {v[6], v[7]}};
    return true;
}

bool ApplyLayerCode(const Json& value, const std::string& where, ShortString10& code, JsonError& error) {
    if (value.is_string()) {
        const auto& text = value.get_ref<const std::string&>();
        if (text.size() > static_cast<std::size_t>(ShortString10::kCapacity))
            return error.Fail(where + ".layerCode \"" + text + "\" is longer than 10 characters");
        if (!IsPlainAscii(text))
            return error.Fail(where + ".layerCode must be plain ASCII; give other bytes as {\"length\", \"bytes\"}");
        code.assign(text);
        return true;
    }
    if (!value.is_object())
        return error.Fail(where + ".layerCode must be a string or {\"length\", \"bytes\"}, not " + value.type_name());
    if (!OnlyKnownKeys(value, {"length", "bytes"}, where + ".layerCode", error)) return false;
    if (!value.contains("length") || !value.contains("bytes"))
        return error.Fail(where + ".layerCode needs both \"length\" and \"bytes\"");
    std::int64_t length = 0;
    if (!ReadInteger(value["length"], where + ".layerCode.length", 0, 255, length, error)) return false;
    const auto named = static_cast<std::size_t>(std::min<std::int64_t>(length, ShortString10::kCapacity));
    const Json& hex = value["bytes"];
    std::vector<std::uint8_t> bytes;
    if (!hex.is_string() || hex.get_ref<const std::string&>().size() != 2 * named ||
        !BytesFromHex(hex.get_ref<const std::string&>(), bytes))
        return error.Fail(where + ".layerCode.bytes must be " + std::to_string(2 * named) + " hex digits");
    code.length = static_cast<std::uint8_t>(length);
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<std::uint8_t*>(code.chars.data()));
    return true;
}

bool ApplyCell(const Json& entry, std::size_t index, LevelState& level, std::set<std::pair<std::int64_t, std::int64_t>>& seen,
               JsonError& error) {
    std::string where = "cells[" + std::to_string(index) + "]";
    if (!entry.is_object()) return error.Fail(where + " must be an object, not " + std::string(entry.type_name()));
    if (!OnlyKnownKeys(entry, {"a", "b", "shape", "layerCode", "tileIndex", "surfaceIndex", "record"}, where, error))
        return false;
    if (!entry.contains("a") || !entry.contains("b")) return error.Fail(where + " needs \"a\" and \"b\"");
    if (level.LevelWidth == 0) return error.Fail(where + ": a 0 x 0 level has no cells");
    const std::int64_t last = std::int64_t{level.LevelWidth} - 1;
    std::int64_t a = 0, b = 0;
    if (!ReadInteger(entry["a"], where + ".a", 0, last, a, error) ||
        !ReadInteger(entry["b"], where + ".b", 0, std::int64_t{level.LevelHeight} - 1, b, error))
        return false;
    if (!seen.insert({a, b}).second)
        return error.Fail(where + " lists cell [" + std::to_string(a) + "][" + std::to_string(b) + "] a second time");
    where += " (cell [" + std::to_string(a) + "][" + std::to_string(b) + "])";

    TCellRecord& cell = level.Cells[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
    TCellShape& shape = level.CellShapes[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
    if (entry.contains("record") && !ApplyRecord(entry["record"], where, cell, error)) return false;
    if (entry.contains("shape") && !ApplyShape(entry["shape"], where, shape, error)) return false;
    if (entry.contains("layerCode") && !ApplyLayerCode(entry["layerCode"], where, cell.LayerCode, error)) return false;
    if (entry.contains("tileIndex") && !ReadInt32(entry["tileIndex"], where + ".tileIndex", cell.TileIndex, error))
        return false;
    if (entry.contains("surfaceIndex") &&
        !ReadInt32(entry["surfaceIndex"], where + ".surfaceIndex", cell.SurfaceIndex, error))
        return false;
    return true;
}

std::string EscapedCode(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7f && c != '\\') {
            out += c;
        } else {
            out += "\\x";
            out += kHexDigits[u >> 4];
            out += kHexDigits[u & 15];
        }
    }
    return out;
}

}  // namespace

std::string HexOf(const std::uint8_t* data, std::size_t size) {
    std::string out(2 * size, '0');
    for (std::size_t i = 0; i < size; ++i) {
        out[2 * i] = kHexDigits[data[i] >> 4];
        out[2 * i + 1] = kHexDigits[data[i] & 15];
    }
    return out;
}

bool BytesFromHex(std::string_view hex, std::vector<std::uint8_t>& out) {
    if (hex.size() % 2 != 0) return false;
    out.resize(hex.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int high = HexValue(hex[2 * i]);
        const int low = HexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        out[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return true;
}

std::string LevelToJsonText(const LevelState& level) {
    // One cell per line: readable, and diffs of two levels line up by cell.
    std::string out = "{\"width\": " + std::to_string(level.LevelWidth) +
                      ", \"height\": " + std::to_string(level.LevelHeight) + ", \"cells\": [";
    const auto width = static_cast<std::size_t>(std::max(level.LevelWidth, 0));
    const auto height = static_cast<std::size_t>(std::max(level.LevelHeight, 0));
    out.reserve(out.size() + width * height * 320);
    bool first = true;
    for (std::size_t a = 0; a < width; ++a) {
        for (std::size_t b = 0; b < height; ++b) {
            out += first ? "\n  " : ",\n  ";
            first = false;
            out += CellJson(level, a, b).dump();
        }
    }
    out += first ? "]}\n" : "\n]}\n";
    return out;
}

LevelFromJsonResult LevelFromJsonText(std::string_view text, LevelState& level) {
    Json root;
    try {
        root = Json::parse(text.begin(), text.end());
    } catch (const Json::parse_error& e) {
        return {false, std::string("bad JSON: ") + e.what()};
    }

    JsonError error;
    if (!root.is_object()) return {false, "the JSON must be an object with \"width\", \"height\" and \"cells\""};
    if (!OnlyKnownKeys(root, {"width", "height", "cells"}, "the level", error)) return {false, error.Message()};
    if (!root.contains("width") || !root.contains("height")) return {false, "the level needs \"width\" and \"height\""};
    std::int64_t width = 0, height = 0;
    if (!ReadInteger(root["width"], "width", 0, kMaxLevelSize, width, error) ||
        !ReadInteger(root["height"], "height", 0, kMaxLevelSize, height, error))
        return {false, error.Message()};
    if (width != height)
        return {false, "width " + std::to_string(width) + " and height " + std::to_string(height) + " differ"};

    LevelState built = MakeLevel(static_cast<std::int32_t>(width));
    if (root.contains("cells")) {
        const Json& cells = root["cells"];
        if (!cells.is_array()) return {false, std::string("cells must be an array, not ") + cells.type_name()};
        std::set<std::pair<std::int64_t, std::int64_t>> seen;
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (!ApplyCell(cells[i], i, built, seen, error)) return {false, error.Message()};
    }
    level = std::move(built);
    return {true, {}};
}

LevelSummary SummarizeLevel(const LevelState& level) {
    LevelSummary summary;
    summary.Width = level.LevelWidth;
    summary.Height = level.LevelHeight;
    for (const auto& column : level.Cells) {
        for (const auto& cell : column) {
            ++summary.CellCount;
            if (cell.LayerCode.length == 0)
                ++summary.EmptyCells;
            else if (cell.LayerCode.length > ShortString10::kCapacity)
                ++summary.UnreadableLayerCodes;
            else
                ++summary.LayerCodes[EscapedCode(cell.LayerCode.text())];
            if (cell.SurfaceIndex != -1) ++summary.Surfaces;
        }
    }
    return summary;
}

namespace {

std::string LayerName(const std::string& code) {
    if (code == "0") return "land";
    if (code == "1") return "ball";
    if (code == "2") return "other";
    if (code == "3") return "object ball";
    return "no layer";
}

}  // namespace

std::string LevelSummaryText(const LevelSummary& summary) {
    std::string out = "size: " + std::to_string(summary.Width) + " x " + std::to_string(summary.Height) + " (" +
                      std::to_string(summary.CellCount) + " cells)\n";
    out += "no piece: " + std::to_string(summary.EmptyCells) + "\n";
    for (const auto& [code, count] : summary.LayerCodes)
        out += "layer code \"" + code + "\" (" + LayerName(code) + "): " + std::to_string(count) + "\n";
    if (summary.UnreadableLayerCodes > 0)
        out += "layer code with a length above 10 (no layer): " + std::to_string(summary.UnreadableLayerCodes) + "\n";
    out += "surface: " + std::to_string(summary.Surfaces) + "\n";
    return out;
}

std::string LevelSummaryJsonText(const LevelSummary& summary) {
    OrderedJson out = OrderedJson::object();
    out["width"] = summary.Width;
    out["height"] = summary.Height;
    out["cells"] = summary.CellCount;
    out["emptyCells"] = summary.EmptyCells;
    out["layerCodes"] = OrderedJson::object();
    for (const auto& [code, count] : summary.LayerCodes) out["layerCodes"][code] = count;
    out["unreadableLayerCodes"] = summary.UnreadableLayerCodes;
    out["surfaces"] = summary.Surfaces;
    return out.dump(2) + "\n";
}

}  // namespace klv
