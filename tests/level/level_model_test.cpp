// The level grid: sizes, diamonds, what a rebuild resets and what it keeps.

#include <gtest/gtest.h>

#include <ostream>

#include "model/level.h"
#include "tests/level/level_test_support.h"

namespace klv {
namespace {

struct GridCase {
    std::int32_t size;
    std::int32_t mapWidth, mapHeight, areaWidth, areaHeight, cx;
};

// Readable, stable test names instead of the object's bytes.
void PrintTo(const GridCase& grid, std::ostream* out) { *out << grid.size << " x " << grid.size; }

class GridGeometry : public ::testing::TestWithParam<GridCase> {};

TEST_P(GridGeometry, SizesOffsetsAndTilingDiamonds) {
    const GridCase c = GetParam();
    test::RecordingDrawArea area;
    LevelState level;
    level.LevelWidth = level.LevelHeight = c.size;
    level.SelectedTile = "7";
    RebuildLevel(level, area);

    EXPECT_EQ(level.SelectedTile, "0");
    EXPECT_EQ(level.MapPixelWidth, c.mapWidth);
    EXPECT_EQ(level.MapPixelHeight, c.mapHeight);
    EXPECT_EQ(area.calls, (std::vector<std::string>{"W" + std::to_string(c.areaWidth), "H" + std::to_string(c.areaHeight),
                                                     "T0", "L0"}));
    EXPECT_EQ(level.ViewOffsetX, -1);
    EXPECT_EQ(level.ViewOffsetY, -1);
    ASSERT_EQ(level.Cells.size(), static_cast<std::size_t>(c.size));
    ASSERT_EQ(level.CellShapes.size(), static_cast<std::size_t>(c.size));

    for (std::int32_t a = 0; a < c.size; ++a) {
        ASSERT_EQ(level.CellShapes[a].size(), static_cast<std::size_t>(c.size));
        for (std::int32_t b = 0; b < c.size; ++b) {
            const TCellShape& s = level.CellShapes[a][b];
            ASSERT_EQ(s.Top, (TPoint{c.cx + 46 * a - 46 * b, 21 * a + 21 * b}));
            ASSERT_EQ(s.Left, (TPoint{s.Top.x - 46, s.Top.y + 21}));
            ASSERT_EQ(s.Bottom, (TPoint{s.Top.x, s.Top.y + 42}));
            ASSERT_EQ(s.Right, (TPoint{s.Top.x + 46, s.Top.y + 21}));
            ASSERT_EQ(s, ComputedCellShape(c.size, a, b));
            // Neighbours share edges: stepping a lands the top on this right vertex.
            if (a + 1 < c.size) {
                ASSERT_EQ(level.CellShapes[a + 1][b].Top, s.Right);
            }
            if (b + 1 < c.size) {
                ASSERT_EQ(level.CellShapes[a][b + 1].Top, s.Left);
            }
        }
    }
    if (c.size > 0) {
        const std::int32_t last = c.size - 1;
        EXPECT_EQ(level.CellShapes[0][0].Top, (TPoint{c.cx, 0}));
        EXPECT_EQ(level.CellShapes[last][0].Right.x, 92 * c.size);
        EXPECT_EQ(level.CellShapes[0][last].Left.x, 0);
        EXPECT_EQ(level.CellShapes[last][last].Bottom.y, 42 * c.size);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, GridGeometry,
                         ::testing::Values(GridCase{0, 1, 1, 2, 2, 0}, GridCase{1, 93, 43, 94, 44, 46},
                                           GridCase{15, 1381, 631, 1382, 632, 690},
                                           GridCase{99, 9109, 4159, 9110, 4160, 46 * 99}),
                         [](const auto& param) { return "Size" + std::to_string(param.param.size); });

TEST(LevelGrid, StartSizeCorners) {
    const LevelState level = MakeLevel(15);
    EXPECT_EQ(level.CellShapes[0][0], (TCellShape{{690, 0}, {644, 21}, {690, 42}, {736, 21}}));
    EXPECT_EQ(level.CellShapes[0][1], (TCellShape{{644, 21}, {598, 42}, {644, 63}, {690, 42}}));
    EXPECT_EQ(level.CellShapes[14][0].Right, (TPoint{1380, 315}));
    EXPECT_EQ(level.CellShapes[0][14].Left, (TPoint{0, 315}));
    EXPECT_EQ(level.CellShapes[14][14].Top, (TPoint{690, 588}));
    EXPECT_EQ(level.CellShapes[14][14].Bottom, (TPoint{690, 630}));
}

TEST(LevelGrid, OffsetsFollowTheSizeTheDrawAreaReports) {
    test::RecordingDrawArea area;
    area.widthAdjust = 10;
    LevelState level;
    level.LevelWidth = level.LevelHeight = 3;
    RebuildLevel(level, area);
    EXPECT_EQ(level.ViewOffsetX, (3 * 92 - (3 * 92 + 2 + 10)) / 2);
    EXPECT_EQ(level.ViewOffsetY, -1);
}

TEST(LevelGrid, RebuildResetsContentButKeepsUnwrittenBytes) {
    LevelState level = test::ScrambledLevel(4, 11);
    const LevelState before = level;
    RebuildLevel(level);
    for (std::size_t a = 0; a < 4; ++a)
        for (std::size_t b = 0; b < 4; ++b) {
            const TCellRecord& cell = level.Cells[a][b];
            const TCellRecord& old = before.Cells[a][b];
            EXPECT_EQ(cell.LayerCode.length, 0);
            EXPECT_EQ(cell.Reserved1, -1);
            EXPECT_EQ(cell.Reserved2, 0);
            EXPECT_EQ(cell.TileIndex, -1);
            EXPECT_EQ(cell.SurfaceIndex, -1);
            EXPECT_EQ(cell.LayerCode.chars, old.LayerCode.chars);
            EXPECT_EQ(cell.Alignment, old.Alignment);
            EXPECT_EQ(cell.Reserved3, old.Reserved3);
            EXPECT_EQ(level.CellShapes[a][b], ComputedCellShape(4, static_cast<std::int32_t>(a), static_cast<std::int32_t>(b)));
        }
}

TEST(LevelGrid, ShrinkAndGrowKeepOnlyCellsInsideBothSizes) {
    LevelState level = MakeLevel(15);
    for (std::size_t a = 0; a < 15; ++a)
        for (std::size_t b = 0; b < 15; ++b) {
            level.Cells[a][b].Reserved3.fill(static_cast<std::uint8_t>(1 + a * 15 + b));
            level.Cells[a][b].LayerCode.assign("2");
        }
    level.LevelWidth = level.LevelHeight = 7;
    RebuildLevel(level);
    level.LevelWidth = level.LevelHeight = 15;
    RebuildLevel(level);

    const CellRecordBytesArray fresh = CellRecordBytes([] {
        TCellRecord cell;
        ResetCell(cell);
        return cell;
    }());
    for (std::size_t a = 0; a < 15; ++a)
        for (std::size_t b = 0; b < 15; ++b) {
            const TCellRecord& cell = level.Cells[a][b];
            if (a < 7 && b < 7) {
                EXPECT_EQ(cell.Reserved3[50], 1 + a * 15 + b) << a << "," << b;
                EXPECT_EQ(cell.LayerCode.chars[0], '2') << a << "," << b;
                EXPECT_EQ(cell.LayerCode.length, 0);
            } else {
                EXPECT_EQ(CellRecordBytes(cell), fresh) << a << "," << b;
            }
        }
}

TEST(ShortString10, LengthAboveTenNamesNoCode) {
    ShortString10 code;
    code.assign("1");
    EXPECT_TRUE(code.equals("1"));
    code.length = 11;
    EXPECT_FALSE(code.equals("1"));
    EXPECT_FALSE(code.equals(""));
    EXPECT_TRUE(code.text().empty());

    code.assign("abcdefghijKLM");  // cut at the room there is
    EXPECT_EQ(code.length, 10);
    EXPECT_EQ(code.text(), "abcdefghij");
    code.assign("3");  // only the first character and the length change
    EXPECT_EQ(std::string(code.chars.data(), 10), "3bcdefghij");
}

}  // namespace
}  // namespace klv
