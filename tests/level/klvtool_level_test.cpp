// klvtool info, to-json and from-json as a user runs them.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

#include <nlohmann/json.hpp>

#include "model/level_file.h"
#include "tests/level/level_test_support.h"

namespace klv {
namespace {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ReadText(const std::string& path) {
    const auto bytes = test::ReadAll(path);
    return {bytes.begin(), bytes.end()};
}

ToolRun Klvtool(const test::ScratchFolder& folder, const std::string& arguments) {
    const std::string out = folder.File("stdout.txt");
    const std::string err = folder.File("stderr.txt");
    const std::string command = "'" KLVTOOL_PATH "' " + arguments + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadText(out);
    run.err = ReadText(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

TEST(KlvtoolLevel, JsonTwinRoundTripGivesTheSameBytes) {
    test::ScratchFolder folder;
    const std::string original = folder.File("original.klv");
    test::WriteAll(original, LevelFileBytes(test::ScrambledLevel(7, 77)));

    const ToolRun toJson = Klvtool(folder, "to-json " + Quoted(original) + " " + Quoted(folder.File("level.json")));
    ASSERT_EQ(toJson.exitCode, 0) << toJson.err;
    const ToolRun fromJson = Klvtool(folder, "from-json " + Quoted(folder.File("level.json")) + " " + Quoted(folder.File("copy.klv")));
    ASSERT_EQ(fromJson.exitCode, 0) << fromJson.err;
    EXPECT_EQ(test::ReadAll(folder.File("copy.klv")), test::ReadAll(original));

    // Without an output file the twin goes to standard output.
    const ToolRun toStdout = Klvtool(folder, "to-json " + Quoted(original));
    ASSERT_EQ(toStdout.exitCode, 0);
    EXPECT_EQ(toStdout.out, ReadText(folder.File("level.json")));
}

TEST(KlvtoolLevel, FromJsonRefusalWritesNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"{\"width\": 2", "bad JSON"},
        {R"({"width": 2, "height": 3})", "differ"},
        {R"({"width": 2, "height": 2, "cells": [{"a": 0, "b": 5}]})", "cells[0].b is 5"},
        {R"({"width": 2, "height": 2, "cells": [{"a": 0, "b": 0, "layerCode": "abcdefghijk"}]})", "longer than 10"},
    };
    for (const auto& [json, says] : cases) {
        test::ScratchFolder folder;
        std::ofstream(folder.File("in.json")) << json;
        test::WriteAll(folder.File("out.klv"), {1, 2, 3});
        const ToolRun run = Klvtool(folder, "from-json " + Quoted(folder.File("in.json")) + " " + Quoted(folder.File("out.klv")));
        EXPECT_EQ(run.exitCode, 2) << json;
        EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
        EXPECT_EQ(test::ReadAll(folder.File("out.klv")), (std::vector<std::uint8_t>{1, 2, 3}));
    }
}

TEST(KlvtoolLevel, InfoCountsCodesAndSurfaces) {
    test::ScratchFolder folder;
    LevelState level = MakeLevel(4);
    level.Cells[0][0].LayerCode.assign("0");
    level.Cells[1][0].LayerCode.assign("0");
    level.Cells[2][0].LayerCode.assign("1");
    level.Cells[3][3].SurfaceIndex = 2;
    ASSERT_TRUE(WriteLevelFile(folder.File("a.klv"), level).Ok);

    const ToolRun text = Klvtool(folder, "info " + Quoted(folder.File("a.klv")));
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("size: 4 x 4"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("layer code \"0\" (land): 2"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("surface: 1"), std::string::npos) << text.out;

    const ToolRun json = Klvtool(folder, "info --json " + Quoted(folder.File("a.klv")));
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const auto parsed = nlohmann::json::parse(json.out);
    EXPECT_EQ(parsed["width"], 4);
    EXPECT_EQ(parsed["emptyCells"], 13);
    EXPECT_EQ(parsed["layerCodes"]["1"], 1);
    EXPECT_EQ(parsed["surfaces"], 1);
}

TEST(KlvtoolLevel, RefusedFilesExitWithTwo) {
    test::ScratchFolder folder;
    std::vector<std::uint8_t> bytes = LevelFileBytes(MakeLevel(1));
    bytes[5] = 'N';
    test::WriteAll(folder.File("bad.klv"), bytes);
    const ToolRun refused = Klvtool(folder, "info " + Quoted(folder.File("bad.klv")));
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("无效的关卡文件。"), std::string::npos) << refused.err;

    const ToolRun missing = Klvtool(folder, "to-json " + Quoted(folder.File("none.klv")));
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("打开文件失败。"), std::string::npos) << missing.err;

    EXPECT_EQ(Klvtool(folder, "info").exitCode, 1);
    EXPECT_EQ(Klvtool(folder, "from-json only-one").exitCode, 1);
}

}  // namespace
}  // namespace klv
