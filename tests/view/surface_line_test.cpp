// The 5-6-5 surface and its lines: fill, the final point left out, the
// half-way tie rule, and clipping that keeps exactly the pixels of the whole line.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "view/surface565.h"
#include "view_test_support.h"

namespace klv {
namespace {

using PixelSet = std::set<std::pair<std::int64_t, std::int64_t>>;

PixelSet LitPixels(const Surface565& s) {
    PixelSet lit;
    for (std::int32_t y = 0; y < s.Height; ++y)
        for (std::int32_t x = 0; x < s.Width; ++x)
            if (s.At(x, y) != 0) lit.emplace(x, y);
    return lit;
}

TEST(Surface565, ResizeClearsAndFillSetsEveryPixel) {
    Surface565 s;
    s.Resize(5, 3);
    s.Fill(0x1234);
    s.Resize(4, 4);
    EXPECT_EQ(s.Pixels.size(), 16u);
    for (auto p : s.Pixels) EXPECT_EQ(p, 0);
    s.Fill(0xF800);
    for (auto p : s.Pixels) EXPECT_EQ(p, 0xF800);
    s.Resize(-3, 7);
    EXPECT_EQ(s.Width, 0);
    EXPECT_TRUE(s.Pixels.empty());
}

TEST(Surface565, ColourConversionsKeepAndWidenTopBits) {
    EXPECT_EQ(Rgb565FromRgb(0xFFFFFF), 0xFFFF);
    EXPECT_EQ(Rgb565FromRgb(0xF8FCF8), 0xFFFF);
    EXPECT_EQ(Rgb565FromRgb(0xF7FBF7), 0xF7DE);
    EXPECT_EQ(Rgb565FromColorRef(0x0000FF), 0xF800);  // low byte is red
    EXPECT_EQ(RgbFromRgb565(0xFFFF), 0xFFFFFFu);
    EXPECT_EQ(RgbFromRgb565(0xF800), 0xFF0000u);
    EXPECT_EQ(RgbFromRgb565(0x0400), 0x008200u);  // g6 = 32 -> 0x82
}

TEST(DrawLine, LeavesOutTheFinalPointAndBreaksTiesTowardsSmallerY) {
    // Slope 21/46 is the grid's; at x = 23 the ideal line is at y = 10.5.
    for (bool reversed : {false, true}) {
        Surface565 s;
        s.Resize(50, 25);
        if (reversed) DrawLine(s, 46, 21, 0, 0, 0xFFFF);
        else DrawLine(s, 0, 0, 46, 21, 0xFFFF);
        EXPECT_EQ(s.At(23, 10), 0xFFFF) << reversed;
        EXPECT_EQ(s.At(23, 11), 0) << reversed;
        EXPECT_EQ(s.At(0, 0), reversed ? 0 : 0xFFFF) << reversed;
        EXPECT_EQ(s.At(46, 21), reversed ? 0xFFFF : 0) << reversed;
        EXPECT_EQ(LitPixels(s).size(), 46u);
    }
    // A y-major tie goes to the smaller x; a zero-length line lights nothing.
    Surface565 s;
    s.Resize(10, 10);
    DrawLine(s, 0, 0, 1, 2, 0xFFFF);
    EXPECT_EQ(LitPixels(s), (PixelSet{{0, 0}, {0, 1}}));
    s.Fill(0);
    DrawLine(s, 4, 4, 4, 4, 0xFFFF);
    EXPECT_TRUE(LitPixels(s).empty());
}

TEST(DrawLine, ClippedLinesLightExactlyTheWholeLinesPixelsInside) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-40, 100);
    for (int round = 0; round < 3000; ++round) {
        const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        const PixelClip clip{coord(rng) / 2 + 10, coord(rng) / 2 + 10, coord(rng) / 2 + 30, coord(rng) / 2 + 30};
        Surface565 s;
        s.Resize(64, 48);
        DrawLineClipped(s, clip, x0, y0, x1, y1, 0xFFFF);
        PixelSet expected;
        for (auto [x, y] : test::ReferenceLine(x0, y0, x1, y1))
            if (x >= std::max(clip.Left, 0) && x < std::min(clip.Right, 64) && y >= std::max(clip.Top, 0) && y < std::min(clip.Bottom, 48)) expected.emplace(x, y);
        ASSERT_EQ(LitPixels(s), expected) << "(" << x0 << "," << y0 << ")->(" << x1 << "," << y1 << ") clip " << clip.Left << "," << clip.Top << ","
                                          << clip.Right << "," << clip.Bottom;
    }
}

TEST(DrawLine, FarAwayCoordinatesNeitherOverflowNorDraw) {
    Surface565 s;
    s.Resize(8, 8);
    DrawLineClipped(s, s.Bounds(), -4'000'000'000LL, 3, 4'000'000'000LL, 5, 0xFFFF);
    EXPECT_EQ(s.At(4, 4), 0xFFFF);  // the middle of a long shallow line crosses the surface
    s.Fill(0);
    DrawLine(s, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN, 0xFFFF);
    EXPECT_TRUE(LitPixels(s).empty());
}

}  // namespace
}  // namespace klv
