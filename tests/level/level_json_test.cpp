// The JSON twin of a level: lossless both ways, partial cells on top of a
// rebuilt level, and a clear refusal of anything malformed.

#include <gtest/gtest.h>

#include <ostream>

#include <nlohmann/json.hpp>

#include "model/level_file.h"
#include "tests/level/level_test_support.h"
#include "tools/json/level_json.h"

namespace klv {
namespace {

TEST(LevelJson, TwinKeepsEveryByte) {
    for (const std::int32_t size : {0, 1, 5}) {
        const LevelState original = test::ScrambledLevel(size, 40u + static_cast<unsigned>(size));
        const std::string text = LevelToJsonText(original);
        LevelState read;
        const LevelFromJsonResult result = LevelFromJsonText(text, read);
        ASSERT_TRUE(result.Ok) << result.Error;
        EXPECT_EQ(LevelFileBytes(read), LevelFileBytes(original)) << size;
    }
}

TEST(LevelJson, EveryCellListedWithEveryKey) {
    LevelState level = MakeLevel(2);
    level.Cells[0][1].LayerCode.assign("1");
    level.Cells[0][1].TileIndex = 2;
    level.Cells[1][0].LayerCode.length = 12;  // names no layer
    level.Cells[1][0].LayerCode.chars[9] = '\xC8';
    level.Cells[1][1].LayerCode.assign("\xB5\xD8");  // bytes of another code page
    const auto json = nlohmann::json::parse(LevelToJsonText(level));

    EXPECT_EQ(json["width"], 2);
    ASSERT_EQ(json["cells"].size(), 4u);
    const auto& cell = json["cells"][1];
    EXPECT_EQ(cell["a"], 0);
    EXPECT_EQ(cell["b"], 1);
    EXPECT_EQ(cell["shape"], nlohmann::json({46, 21, 0, 42, 46, 63, 92, 42}));
    EXPECT_EQ(cell["layerCode"], "1");
    EXPECT_EQ(cell["tileIndex"], 2);
    EXPECT_EQ(cell["surfaceIndex"], -1);
    EXPECT_EQ(cell["record"].get<std::string>().size(), 152u);
    EXPECT_EQ(cell["record"].get<std::string>().substr(0, 4), "0131");
    EXPECT_EQ(json["cells"][2]["layerCode"], nlohmann::json({{"length", 12}, {"bytes", "000000000000000000c8"}}));
    EXPECT_EQ(json["cells"][3]["layerCode"], nlohmann::json({{"length", 2}, {"bytes", "b5d8"}}));
}

TEST(LevelJson, ListedKeysGoOnTopOfARebuiltLevel) {
    const std::string text = R"({"width": 3, "height": 3, "cells": [
        {"a": 2, "b": 1, "record": ")" + std::string(24, 'a') + std::string(128, '0') + R"(", "layerCode": "2"},
        {"a": 0, "b": 0, "surfaceIndex": 4, "shape": [1, 2, 3, 4, 5, 6, 7, 8]}]})";
    LevelState level;
    const LevelFromJsonResult result = LevelFromJsonText(text, level);
    ASSERT_TRUE(result.Ok) << result.Error;

    LevelState expected = MakeLevel(3);
    TCellRecord& changed = expected.Cells[2][1];
    CellRecordBytesArray record{};
    std::fill_n(record.begin(), 12, 0xAA);
    changed = CellRecordFromBytes(record);
    changed.LayerCode.length = 1;  // the length byte and one character; the rest stay 0xAA
    changed.LayerCode.chars[0] = '2';
    expected.Cells[0][0].SurfaceIndex = 4;
    expected.CellShapes[0][0] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}};
    EXPECT_EQ(LevelFileBytes(level), LevelFileBytes(expected));
    EXPECT_EQ(level.Cells[2][1].LayerCode.chars[1], '\xAA');
}

struct BadJson {
    const char* name;
    std::string text;
    const char* says;
};

// Readable, stable test names instead of the object's bytes.
void PrintTo(const BadJson& input, std::ostream* out) { *out << input.name; }

std::string Cell(const std::string& keys) { return R"({"width": 2, "height": 2, "cells": [{"a": 0, "b": 0)" + keys + "}]}"; }

const BadJson kBadJson[] = {
    {"NotJson", "{\"width\": 2,", "bad JSON"},
    {"NotAnObject", "[1, 2]", "must be an object"},
    {"NoSize", "{\"cells\": []}", "needs \"width\""},
    {"UnequalSizes", R"({"width": 2, "height": 3})", "differ"},
    {"SizeAbove99", R"({"width": 100, "height": 100})", "outside 0..99"},
    {"NegativeSize", R"({"width": -1, "height": -1})", "outside 0..99"},
    {"FractionalSize", R"({"width": 2.5, "height": 2.5})", "must be an integer"},
    {"SizeAsText", R"({"width": "2", "height": "2"})", "must be an integer"},
    {"UnknownTopKey", R"({"width": 2, "height": 2, "cell": []})", "unknown key \"cell\""},
    {"CellsNotArray", R"({"width": 2, "height": 2, "cells": {}})", "cells must be an array"},
    {"CellNotObject", R"({"width": 2, "height": 2, "cells": [3]})", "cells[0] must be an object"},
    {"CellWithoutB", R"({"width": 2, "height": 2, "cells": [{"a": 0}]})", "needs \"a\" and \"b\""},
    {"CellOutsideGrid", R"({"width": 2, "height": 2, "cells": [{"a": 2, "b": 0}]})", "cells[0].a is 2, outside 0..1"},
    {"NegativeCell", R"({"width": 2, "height": 2, "cells": [{"a": 0, "b": -1}]})", "cells[0].b is -1"},
    {"CellInEmptyLevel", R"({"width": 0, "height": 0, "cells": [{"a": 0, "b": 0}]})", "has no cells"},
    {"CellTwice", R"({"width": 2, "height": 2, "cells": [{"a": 1, "b": 1}, {"a": 1, "b": 1}]})", "a second time"},
    {"UnknownCellKey", Cell(R"(, "tile": 3)"), "unknown key \"tile\""},
    {"LayerCodeTooLong", Cell(R"(, "layerCode": "12345678901")"), "longer than 10"},
    {"LayerCodeNotAscii", Cell(R"(, "layerCode": "\u00e9")"), "plain ASCII"},
    {"LayerCodeNumber", Cell(R"(, "layerCode": 1)"), "must be a string or"},
    {"LayerCodeLengthAbove255", Cell(R"(, "layerCode": {"length": 256, "bytes": "00000000000000000000"})"), "outside 0..255"},
    {"LayerCodeBytesShort", Cell(R"(, "layerCode": {"length": 11, "bytes": "00"})"), "20 hex digits"},
    {"RecordShort", Cell(R"(, "record": ")" + std::string(150, '0') + "\""), "152 hex digits"},
    {"RecordNotHex", Cell(R"(, "record": ")" + std::string(151, '0') + "g\""), "152 hex digits"},
    {"RecordNumber", Cell(R"(, "record": 0)"), "must be a string"},
    {"TileIndexText", Cell(R"(, "tileIndex": "2")"), "tileIndex must be an integer"},
    {"TileIndexBeyond32Bits", Cell(R"(, "tileIndex": 2147483648)"), "outside"},
    {"SurfaceIndexBeyond32Bits", Cell(R"(, "surfaceIndex": -2147483649)"), "outside"},
    {"ShapeSevenNumbers", Cell(R"(, "shape": [1, 2, 3, 4, 5, 6, 7])"), "array of 8 integers"},
    {"ShapeFraction", Cell(R"(, "shape": [1, 2, 3, 4, 5, 6, 7, 8.5])"), "shape[7] must be an integer"},
};

class LevelJsonRefusal : public ::testing::TestWithParam<BadJson> {};

TEST_P(LevelJsonRefusal, SaysWhatIsWrongAndKeepsTheLevel) {
    LevelState level = test::ScrambledLevel(3, 2);
    const LevelState before = level;
    const LevelFromJsonResult result = LevelFromJsonText(GetParam().text, level);
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Error.find(GetParam().says), std::string::npos) << result.Error;
    test::ExpectSameLevel(before, level);
}

INSTANTIATE_TEST_SUITE_P(Inputs, LevelJsonRefusal, ::testing::ValuesIn(kBadJson),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(LevelSummary, CountsCodesAndSurfaces) {
    LevelState level = MakeLevel(3);
    level.Cells[0][0].LayerCode.assign("1");
    level.Cells[0][1].LayerCode.assign("1");
    level.Cells[1][0].LayerCode.assign("3");
    level.Cells[1][1].LayerCode.length = 40;
    level.Cells[2][2].LayerCode.assign("\x01");
    level.Cells[2][0].SurfaceIndex = 0;
    level.Cells[2][1].SurfaceIndex = 9;
    const LevelSummary summary = SummarizeLevel(level);
    EXPECT_EQ(summary.CellCount, 9);
    EXPECT_EQ(summary.EmptyCells, 4);
    EXPECT_EQ(summary.UnreadableLayerCodes, 1);
    EXPECT_EQ(summary.LayerCodes, (std::map<std::string, std::int64_t>{{"1", 2}, {"3", 1}, {"\\x01", 1}}));
    EXPECT_EQ(summary.Surfaces, 2);
    EXPECT_NE(LevelSummaryText(summary).find("layer code \"1\" (ball): 2"), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(LevelSummaryJsonText(summary))["layerCodes"]["3"], 1);
}

}  // namespace
}  // namespace klv
