// klvtool render end to end: a level file and five set files made here, the
// PNG compared with the composed frame widened to 8 bits per channel.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/imageset/dxg_file.h"
#include "model/level_file.h"
#include "tools/support/png_io.h"
#include "view/compositor.h"
#include "view_test_support.h"

namespace klv {
namespace {

namespace fs = std::filesystem;

class RenderCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("klv_render_" + std::to_string(::getpid()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "dxg");
        const std::uint32_t palette[] = {0xFF00FF, 0x20C040, 0xE0A020, 0x3050F0, 0xFFFFFF};
        const auto picture = [&](std::int32_t w, std::int32_t h, int seed) {
            ImageItem item = test::MakeImage(w, h, [&](std::int32_t x, std::int32_t y) { return palette[static_cast<std::size_t>((x / 3 + y / 4 + seed) % 5)]; });
            item.Name = "art";
            item.Transparent = true;
            item.TransparentColor = 0xFF00FF;
            return item;
        };
        sets[LayerSlot::Land].Items = {picture(92, 80, 0), picture(92, 42, 1)};
        sets[LayerSlot::Ball].Items = {picture(60, 60, 2)};
        ImageItem animated = picture(92 * 11, 70, 3);
        animated.PatternWidth = 92;
        sets[LayerSlot::Other].Items = {animated};
        sets[LayerSlot::ObjectBall].Items = {animated};
        sets[LayerSlot::Surface].Items = {picture(92, 42, 4)};
        const char* files[] = {"land.dxg", "ball.dxg", "anm.dxg", "objectball.dxg", "surface.dxg"};
        for (int i = 0; i < kLayerSlotCount; ++i) ASSERT_EQ(SaveImageSetFile((dir / "dxg" / files[i]).string(), sets.Raw[static_cast<std::size_t>(i)]), "");
        sets.Prepare();

        level = MakeLevel(4);
        for (std::int32_t a = 0; a < 4; ++a)
            for (std::int32_t b = 0; b < 4; ++b) {
                test::PutSurface(level, a, b, 0);
                const int code = (a + b) % 4;
                test::PutLayer(level, a, b, std::to_string(code), code == 0 ? (a * b) % 2 : 0);
            }
        test::PutLayer(level, 0, 0, "1", 0);
        test::PutLayer(level, 3, 3, "1", 0);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs klvtool with the words given; returns the exit code, stderr in `errors`.
    int Klvtool(const std::string& words) {
        const std::string command = std::string(KLVTOOL_PATH) + " " + words + " 2>" + (dir / "stderr.txt").string();
        const int status = std::system(command.c_str());
        std::ifstream in(dir / "stderr.txt");
        std::ostringstream text;
        text << in.rdbuf();
        errors = text.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    void ExpectPngIsFrame(const fs::path& png, std::int32_t animFrame) {
        Surface565 frame;
        ComposeWhole(test::Inputs(level, sets.Sets, animFrame), frame);
        RgbImage image;
        ASSERT_EQ(ReadPng(png.string(), image), "");
        ASSERT_EQ(image.Width, 4 * 92 + 2);
        ASSERT_EQ(image.Height, 4 * 42 + 2);
        for (std::size_t i = 0; i < frame.Pixels.size(); ++i) {
            const std::uint32_t rgb = RgbFromRgb565(frame.Pixels[i]);
            const std::uint32_t got = static_cast<std::uint32_t>(image.Bytes[3 * i]) << 16 | static_cast<std::uint32_t>(image.Bytes[3 * i + 1]) << 8 | image.Bytes[3 * i + 2];
            ASSERT_EQ(got, rgb) << "pixel " << i % frame.Width << "," << i / frame.Width << " frame " << animFrame;
        }
    }

    fs::path dir;
    test::SetBundle sets;
    LevelState level;
    std::string errors;
};

TEST_F(RenderCommand, WritesTheBackBufferAfterTheGivenNumberOfTicks) {
    ASSERT_TRUE(WriteLevelFile((dir / "level.klv").string(), level).Ok);
    const std::string common = (dir / "level.klv").string() + " " + (dir / "out.png").string() + " --dxg " + (dir / "dxg").string();
    struct Case {
        const char* extra;
        std::int32_t animFrame;
    };
    for (const Case& c : {Case{"", 0}, Case{" --frame 5", 0}, Case{" --frame 6", 1}, Case{" --frame 65", 10}, Case{" --frame 66", 1},
                          Case{" --frame 1000000000000", 1 + (1000000000000 - 6) / 6 % 10}}) {
        ASSERT_EQ(Klvtool("render " + common + c.extra), 0) << c.extra << ": " << errors;
        EXPECT_EQ(errors, "");
        ExpectPngIsFrame(dir / "out.png", c.animFrame);
    }
}

TEST_F(RenderCommand, ListsOutOfRangeIndexesAndDrawsTheRest) {
    test::PutLayer(level, 1, 2, "0", 5);
    test::PutSurface(level, 2, 2, 3);
    test::PutLayer(level, 2, 1, "0", 5);
    ASSERT_TRUE(WriteLevelFile((dir / "level.klv").string(), level).Ok);
    ASSERT_EQ(Klvtool("render " + (dir / "level.klv").string() + " " + (dir / "out.png").string() + " --dxg " + (dir / "dxg").string()), 0) << errors;
    EXPECT_EQ(errors, "klvtool render: surface.dxg: List index out of bounds (3)\nklvtool render: land.dxg: List index out of bounds (5)\n");
    ExpectPngIsFrame(dir / "out.png", 0);
}

TEST_F(RenderCommand, RefusedInputsExitTwoWithTheReasonAndWriteNothing) {
    ASSERT_TRUE(WriteLevelFile((dir / "level.klv").string(), level).Ok);
    std::ofstream(dir / "junk.klv") << "not a level";
    const std::string out = " " + (dir / "out.png").string();
    EXPECT_EQ(Klvtool("render " + (dir / "junk.klv").string() + out + " --dxg " + (dir / "dxg").string()), 2);
    EXPECT_NE(errors.find("junk.klv"), std::string::npos) << errors;
    EXPECT_EQ(Klvtool("render " + (dir / "missing.klv").string() + out + " --dxg " + (dir / "dxg").string()), 2);
    EXPECT_NE(errors.find("missing.klv"), std::string::npos) << errors;
    fs::remove(dir / "dxg" / "anm.dxg");
    EXPECT_EQ(Klvtool("render " + (dir / "level.klv").string() + out + " --dxg " + (dir / "dxg").string()), 2);
    EXPECT_NE(errors.find("anm.dxg"), std::string::npos) << errors;
    EXPECT_FALSE(fs::exists(dir / "out.png"));
}

TEST_F(RenderCommand, BadWordsAreUsageErrors) {
    const std::string in = (dir / "level.klv").string(), out = (dir / "out.png").string();
    for (const std::string& words : {std::string("render"), "render " + in, "render " + in + " " + out + " --frame -1",
                                     "render " + in + " " + out + " --frame x", "render " + in + " " + out + " --frame",
                                     "render " + in + " " + out + " --dxg", "render " + in + " " + out + " extra",
                                     "render " + in + " " + out + " --colour"}) {
        EXPECT_EQ(Klvtool(words), 1) << words;
        EXPECT_NE(errors.find("usage: klvtool render"), std::string::npos) << words;
    }
}

}  // namespace
}  // namespace klv
