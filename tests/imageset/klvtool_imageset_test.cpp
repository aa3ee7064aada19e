// klvtool images / export / pack, run as the program itself.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "model/imageset/dxg_file.h"
#include "tools/json/imageset_json.h"
#include "tools/support/png_io.h"

namespace klv {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

ToolRun Klvtool(const std::string& arguments) {
    const std::string command = std::string(KLV_BIN_DIR) + "/klvtool " + arguments + " 2>&1";
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Quoted(const fs::path& path) {
    std::string quoted(1, '\'');
    quoted += path.string();
    quoted += '\'';
    return quoted;
}

class KlvtoolImages : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("klv-imageset-tool-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

nlohmann::json ReadJson(const fs::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return nlohmann::json::parse(text.str());
}

const char* const kKeys[] = {"index", "name", "class", "width", "height", "bitCount", "patternWidth", "patternHeight",
                             "skipWidth", "skipHeight", "patterns", "transparent", "transparentColor", "systemMemory"};

TEST_F(KlvtoolImages, JsonListingHasExactlyTheKeys) {
    const ToolRun run = Klvtool("images " + Quoted(std::string(KLV_BIN_DIR) + "/dxg/anm.dxg") + " --json");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto listing = nlohmann::json::parse(run.output);
    ASSERT_TRUE(listing.is_array());
    ASSERT_FALSE(listing.empty());
    for (const auto& image : listing) {
        EXPECT_EQ(image.size(), std::size(kKeys));
        for (const char* key : kKeys) EXPECT_TRUE(image.contains(key)) << key;
    }
    EXPECT_EQ(listing[0]["class"], "TDIB");
    EXPECT_EQ(listing[0]["patterns"], 11);
    EXPECT_EQ(listing[0]["transparentColor"], "#FF00FF");

    const ToolRun text = Klvtool("images " + Quoted(std::string(KLV_BIN_DIR) + "/dxg/anm.dxg"));
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.output.find("Flag"), std::string::npos);
}

// export, pack, export: the same properties and the same pixels.
TEST_F(KlvtoolImages, ExportPackExportKeepsPropertiesAndPixels) {
    std::vector<std::string> sources = {std::string(KLV_BIN_DIR) + "/dxg/objectball.dxg"};
    if (fs::exists(std::string(KLV_SHARED_FIXTURES) + "/dxg/tileset1.dxg"))
        sources.push_back(std::string(KLV_SHARED_FIXTURES) + "/dxg/tileset1.dxg");
    for (const std::string& source : sources) {
        SCOPED_TRACE(source);
        const fs::path first = folder_ / "first", second = folder_ / "second", packed = folder_ / "packed.dxg";
        fs::remove_all(first);
        fs::remove_all(second);
        ASSERT_EQ(Klvtool("export " + Quoted(source) + " " + Quoted(first)).exitCode, 0);
        const ToolRun pack = Klvtool("pack " + Quoted(first) + " " + Quoted(packed));
        ASSERT_EQ(pack.exitCode, 0) << pack.output;
        ASSERT_EQ(Klvtool("export " + Quoted(packed) + " " + Quoted(second)).exitCode, 0);

        nlohmann::json a = ReadJson(first / "set.json"), b = ReadJson(second / "set.json");
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            // Pictures go back as TDIB at 8 or 24 bits, whatever they came as.
            for (auto* listing : {&a, &b}) {
                (*listing)[i].erase("class");
                (*listing)[i].erase("bitCount");
            }
            EXPECT_EQ(a[i], b[i]);
            const fs::path png = first / (std::to_string(i) + ".png");
            if (!fs::exists(png)) continue;
            RgbImage x, y;
            ASSERT_EQ(ReadPng(png.string(), x), "");
            ASSERT_EQ(ReadPng((second / (std::to_string(i) + ".png")).string(), y), "");
            EXPECT_EQ(x.Width, y.Width);
            EXPECT_EQ(x.Height, y.Height);
            EXPECT_TRUE(x.Bytes == y.Bytes) << "pixels of image " << i << " differ";
        }
    }
}

TEST_F(KlvtoolImages, RefusedInputExitsWithTwoAndSaysWhy) {
    const fs::path damaged = folder_ / "damaged.dxg";
    std::ofstream(damaged, std::ios::binary) << "not an image set";
    for (const std::string command : {"images ", "export "}) {
        const ToolRun run = Klvtool(command + Quoted(damaged) + (command == "export " ? " " + Quoted(folder_ / "out") : ""));
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.output.find("Invalid stream format"), std::string::npos) << run.output;
    }
    const ToolRun missing = Klvtool("images " + Quoted(folder_ / "missing.dxg"));
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.output.find("Cannot open file " + (folder_ / "missing.dxg").string()), std::string::npos);

    // pack: a listing that is not JSON, and one whose picture is missing.
    const fs::path broken = folder_ / "broken";
    fs::create_directories(broken);
    std::ofstream(broken / "set.json") << "[{";
    EXPECT_EQ(Klvtool("pack " + Quoted(broken) + " " + Quoted(folder_ / "x.dxg")).exitCode, 2);
    std::ofstream(broken / "set.json", std::ios::trunc) << R"([{"index": 0, "name": "a", "class": "TDIB"}])";
    const ToolRun noPicture = Klvtool("pack " + Quoted(broken) + " " + Quoted(folder_ / "x.dxg"));
    EXPECT_EQ(noPicture.exitCode, 2);
    EXPECT_NE(noPicture.output.find("0.png"), std::string::npos) << noPicture.output;
    std::ofstream(broken / "set.json", std::ios::trunc) << R"([{"index": 0, "transparentColor": "magenta"}])";
    EXPECT_EQ(Klvtool("pack " + Quoted(broken) + " " + Quoted(folder_ / "x.dxg")).exitCode, 2);
    EXPECT_FALSE(fs::exists(folder_ / "x.dxg"));

    EXPECT_EQ(Klvtool("images").exitCode, 1);
}

// Colour values are 0x00BBGGRR; the listing shows them as "#RRGGBB".
TEST(ImageSetJson, ColoursReadAsRgbHex) {
    EXPECT_EQ(ColourValueToHex(0x563412), "#123456");
    EXPECT_EQ(ColourValueToHex(0xFF00FF), "#FF00FF");
    std::uint32_t value = 0;
    EXPECT_TRUE(HexToColourValue("#123456", value));
    EXPECT_EQ(value, 0x563412u);
    EXPECT_TRUE(HexToColourValue("#abcDEF", value));
    EXPECT_EQ(value, 0xEFCDABu);
    for (const char* bad : {"", "123456", "#12345", "#1234567", "#12345G", "magenta"}) EXPECT_FALSE(HexToColourValue(bad, value)) << bad;
}

}  // namespace
}  // namespace klv
