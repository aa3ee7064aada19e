// Grid, placement, drawing order, layer codes and out-of-range indexes of the
// composed frame.

#include <gtest/gtest.h>

#include <cstring>

#include "view/compositor.h"
#include "view_test_support.h"

namespace klv {
namespace {

using test::PutLayer;
using test::PutSurface;
using test::SolidImage;

constexpr std::uint32_t kRed = 0xF80000, kGreen = 0x00FC00, kBlue = 0x0000F8, kGrey = 0x808080;
constexpr std::uint16_t kWhite565 = 0xFFFF;

Surface565 Whole(const LevelState& level, const LayerImageSets& sets, std::int32_t animFrame = 0) {
    Surface565 out;
    ComposeWhole(test::Inputs(level, sets, animFrame), out);
    return out;
}

TEST(DrawGrid, OutlineCornersAndFirstLineAtTheStartSize) {
    const LevelState level = MakeLevel(15);
    const Surface565 frame = Whole(level, LayerImageSets{});
    ASSERT_EQ(frame.Width, 1382);
    ASSERT_EQ(frame.Height, 632);
    for (auto [x, y] : {std::pair{691, 1}, {1381, 316}, {1, 316}}) EXPECT_EQ(frame.At(x, y), kWhite565) << x << "," << y;
    // The bottom corner is where both lines meeting there end, and a line
    // leaves out its final point: the corner pixel stays black between them.
    EXPECT_EQ(frame.At(691, 631), 0);
    EXPECT_EQ(frame.At(690, 631), kWhite565);
    EXPECT_EQ(frame.At(692, 631), kWhite565);
    // The first line runs from (691, 1) towards (1, 316): its pixels are white.
    for (auto [x, y] : test::ReferenceLine(691, 1, 1, 316)) ASSERT_EQ(frame.At(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)), kWhite565);
    // The first row and column of the draw area lie outside the map.
    for (std::int32_t x = 0; x < frame.Width; ++x) ASSERT_EQ(frame.At(x, 0), 0);
    for (std::int32_t y = 0; y < frame.Height; ++y) ASSERT_EQ(frame.At(0, y), 0);
}

TEST(DrawGrid, EmptyLevelsShowOnlyTheGridOnBlack) {
    const std::array<ImageSet, kLayerSlotCount> none{};
    for (std::int32_t size : {0, 1, 2, 7, 15}) {
        const LevelState level = MakeLevel(size);
        const Surface565 frame = Whole(level, LayerImageSets{});
        EXPECT_EQ(frame.Pixels, test::ReferenceCompose(level, none, 0).Pixels) << size;
        for (auto p : frame.Pixels) ASSERT_TRUE(p == 0 || p == kWhite565);
    }
    // 1 x 1: the diamond's four edges of 46 steps each; the edges starting at
    // the top share their first pixel, and at the side corners the pixel next
    // to the corner is both the end of one edge and the second of the next.
    const Surface565 one = Whole(MakeLevel(1), LayerImageSets{});
    std::size_t white = 0;
    for (auto p : one.Pixels) white += p == kWhite565;
    EXPECT_EQ(white, 4u * 46u - 3u);
}

class PlacementTest : public ::testing::Test {
protected:
    LevelState level = MakeLevel(15);
    test::SetBundle sets;
};

TEST_F(PlacementTest, ImagesSitOnTheDiamondsLeftAndBottomVertices) {
    sets[LayerSlot::Land].Items = {SolidImage(92, 42, kRed), SolidImage(92, 80, kGreen)};
    sets.Prepare();
    struct Case {
        std::int32_t index;
        std::int32_t height;
        std::uint16_t colour;
    };
    for (const Case& c : {Case{0, 42, Rgb565FromRgb(kRed)}, Case{1, 80, Rgb565FromRgb(kGreen)}}) {
        PutLayer(level, 0, 0, "0", c.index);
        const Surface565 frame = Whole(level, sets.Sets);
        // Top-left at (645, 1) for 42 rows; (645, -37) for 80 rows shows its lower 43.
        const std::int32_t top = 1 + 42 - c.height;
        for (std::int32_t y = 0; y < 60; ++y)
            for (std::int32_t x = 640; x < 745; ++x) {
                const bool inside = x >= 645 && x < 645 + 92 && y >= std::max(top, 0) && y < top + c.height;
                if (inside) ASSERT_EQ(frame.At(x, y), c.colour) << x << "," << y;
                else ASSERT_NE(frame.At(x, y), c.colour) << x << "," << y;
            }
    }
}

TEST_F(PlacementTest, LaterDiagonalsAndLargerFirstIndexesDrawOnTop) {
    sets[LayerSlot::Ball].Items = {SolidImage(140, 100, kRed), SolidImage(140, 100, kGreen)};
    sets.Prepare();
    // Same diagonal s = 3: (1, 2) then (2, 1); the larger a is on top where they overlap.
    PutLayer(level, 2, 1, "1", 0);
    PutLayer(level, 1, 2, "1", 1);
    // Different diagonals: (3, 3) comes after (2, 1) and covers it.
    Surface565 frame = Whole(level, sets.Sets);
    const auto topLeft = [&](std::int32_t a, std::int32_t b) {
        return std::pair{690 + 46 * (a - b) + 1 - 46, 21 * (a + b) + 1 + 42 - 100};
    };
    auto [x21, y21] = topLeft(2, 1);
    auto [x12, y12] = topLeft(1, 2);
    ASSERT_EQ(y21, y12);
    // Overlap columns x21 .. x12 + 139.
    EXPECT_EQ(frame.At(x21 + 10, y21 + 50), Rgb565FromRgb(kRed));
    EXPECT_EQ(frame.At(x12 + 5, y12 + 50), Rgb565FromRgb(kGreen));  // left of (2,1)'s image
    PutLayer(level, 3, 3, "1", 1);
    frame = Whole(level, sets.Sets);
    auto [x33, y33] = topLeft(3, 3);
    EXPECT_GT(y33, y21);
    EXPECT_EQ(frame.At(x33 + 2, y33 + 2), Rgb565FromRgb(kGreen));  // over the red image of (2,1)
    EXPECT_EQ(frame.Pixels, test::ReferenceCompose(level, sets.Raw, 0).Pixels);
}

TEST_F(PlacementTest, EverySurfaceLiesUnderEveryLayerImage) {
    sets[LayerSlot::Land].Items = {SolidImage(92, 80, kRed)};
    sets[LayerSlot::Surface].Items = {SolidImage(92, 42, kBlue), SolidImage(92, 120, kGrey)};
    sets.Prepare();
    PutLayer(level, 4, 4, "0", 0);
    PutSurface(level, 4, 4, 0);  // the cell's own surface
    PutSurface(level, 6, 6, 1);  // a tall surface in front reaching over the piece behind
    const Surface565 frame = Whole(level, sets.Sets);
    const std::int32_t x = 690 + 1 - 46, yBottom = 21 * 8 + 1 + 42;  // cell (4,4) image bottom
    EXPECT_EQ(frame.At(x + 40, yBottom - 1), Rgb565FromRgb(kRed));
    EXPECT_EQ(frame.At(x + 40, yBottom - 79), Rgb565FromRgb(kRed));
    EXPECT_EQ(frame.At(x + 40, yBottom + 10), Rgb565FromRgb(kGrey));  // the surface where no piece is
    EXPECT_EQ(frame.Pixels, test::ReferenceCompose(level, sets.Raw, 0).Pixels);
}

TEST_F(PlacementTest, OnlyTheExactCodesZeroToThreeDrawALayer) {
    for (LayerSlot slot : {LayerSlot::Land, LayerSlot::Ball, LayerSlot::Other, LayerSlot::ObjectBall})
        sets[slot].Items = {SolidImage(92, 42, kRed)};
    sets.Prepare();
    const Surface565 empty = Whole(level, sets.Sets);
    for (const char* code : {"4", "00", "", " 0", "0 ", "a", "3\0"}) {
        PutLayer(level, 5, 5, std::string(code, code[0] == '3' ? 2 : std::strlen(code)), 0);
        EXPECT_EQ(Whole(level, sets.Sets).Pixels, empty.Pixels) << '"' << code << '"';
    }
    // A stored length above 10 names no code, whatever the characters say.
    auto& cell = level.Cells[5][5];
    cell.LayerCode.assign("0");
    cell.LayerCode.length = 11;
    EXPECT_EQ(Whole(level, sets.Sets).Pixels, empty.Pixels);
    for (const char* code : {"0", "1", "2", "3"}) {
        PutLayer(level, 5, 5, code, 0);
        EXPECT_NE(Whole(level, sets.Sets).Pixels, empty.Pixels) << code;
    }
}

TEST_F(PlacementTest, OutOfRangeIndexesAreSkippedAndReportedOncePerSetAndIndex) {
    sets[LayerSlot::Ball].Items = {SolidImage(92, 42, kRed), SolidImage(92, 42, kGreen)};
    sets[LayerSlot::Surface].Items = {SolidImage(92, 42, kBlue)};
    sets.Prepare();
    PutLayer(level, 0, 0, "1", 0);
    PutLayer(level, 1, 0, "1", 2);   // ball set has 2 images
    PutLayer(level, 2, 0, "1", 2);   // the same fault again
    PutLayer(level, 3, 0, "1", -1);  // a piece without an image index
    PutLayer(level, 4, 0, "2", 0);   // the other set is empty
    PutSurface(level, 5, 0, 1);
    PutSurface(level, 14, 14, 0);    // drawn after every fault in the order
    PutLayer(level, 14, 14, "1", 1);

    std::vector<std::pair<LayerSlot, std::string>> reports;
    IndexFaultLog log;
    FrameInputs inputs = test::Inputs(level, sets.Sets, 0);
    inputs.Faults = &log;
    inputs.OnIndexFault = [&](LayerSlot slot, std::int32_t, const std::string& message) { reports.emplace_back(slot, message); };
    Surface565 frame;
    for (int tick = 0; tick < 3; ++tick) ComposeWhole(inputs, frame);

    const std::vector<std::pair<LayerSlot, std::string>> expected = {
        {LayerSlot::Surface, "List index out of bounds (1)"},
        {LayerSlot::Ball, "List index out of bounds (2)"},
        {LayerSlot::Ball, "List index out of bounds (-1)"},
        {LayerSlot::Other, "List index out of bounds (0)"},
    };
    EXPECT_EQ(reports, expected);
    // Everything else is drawn, as if the faulty cells were empty.
    LevelState clean = level;
    for (int a = 1; a <= 5; ++a) ResetCell(clean.Cells[a][0]);
    EXPECT_EQ(frame.Pixels, Whole(clean, sets.Sets).Pixels);

    // A rectangle far from the faulty cells finds none of them; the level-wide scan finds them all.
    reports.clear();
    log.Clear();
    ComposeRect(inputs, DrawRect{600, 560, 100, 70}, frame);
    EXPECT_TRUE(reports.empty());
    FindIndexFaults(level, sets.Sets, log, inputs.OnIndexFault);
    EXPECT_EQ(reports, expected);
    FindIndexFaults(level, sets.Sets, log, inputs.OnIndexFault);
    ComposeWhole(inputs, frame);
    EXPECT_EQ(reports.size(), expected.size());
    // Without a log, faults are skipped silently.
    inputs.Faults = nullptr;
    ComposeWhole(inputs, frame);
    EXPECT_EQ(reports.size(), expected.size());
}

TEST(IndexFaults, AMissingSetDrawsLikeAnEmptyOne) {
    LevelState level = MakeLevel(3);
    PutLayer(level, 1, 1, "3", 0);
    PutSurface(level, 1, 1, 4);
    IndexFaultLog log;
    std::vector<std::string> messages;
    FindIndexFaults(level, LayerImageSets{}, log, [&](LayerSlot, std::int32_t, const std::string& m) { messages.push_back(m); });
    EXPECT_EQ(messages, (std::vector<std::string>{"List index out of bounds (4)", "List index out of bounds (0)"}));
    Surface565 frame;
    ComposeWhole(test::Inputs(level, LayerImageSets{}, 0), frame);
    EXPECT_EQ(frame.Pixels, Whole(MakeLevel(3), LayerImageSets{}).Pixels);
}

}  // namespace
}  // namespace klv
