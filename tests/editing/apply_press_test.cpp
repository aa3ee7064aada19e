// Presses on the draw area: what each layer page places, the object-ball rule
// and its warning, clearing, and presses over diamonds that overlap.

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "editing/placement.h"

namespace klv {
namespace {

// Presses the middle of a cell, in draw-area pixels.
struct Presser {
    LevelState& level;
    int warnings = 0;

    void Press(PressButton button, std::string_view page, std::size_t a, std::size_t b) {
        const TCellShape& s = level.CellShapes[a][b];
        ApplyPress(level, button, page, s.Top.x - level.ViewOffsetX, s.Top.y + 21 - level.ViewOffsetY,
                   [this] { ++warnings; });
    }
    void Place(std::string_view page, const char* tile, std::size_t a, std::size_t b) {
        level.SelectedTile = tile;
        Press(PressButton::Left, page, a, b);
    }
};

TEST(ApplyPress, LeftPressPlacesThePageLayer) {
    for (const char* page : {"0", "1", "2"}) {
        LevelState level = MakeLevel(3);
        level.Cells[1][2].SurfaceIndex = 5;
        level.Cells[1][2].LayerCode.assign("2");
        Presser p{level};
        p.Place(page, "7", 1, 2);
        EXPECT_TRUE(level.Cells[1][2].LayerCode.equals(page));
        EXPECT_EQ(level.Cells[1][2].TileIndex, 7);
        EXPECT_EQ(level.Cells[1][2].SurfaceIndex, 5);
        EXPECT_EQ(p.warnings, 0);
    }
}

TEST(ApplyPress, SurfacePageKeepsThePiece) {
    LevelState level = MakeLevel(3);
    Presser p{level};
    p.Place("1", "4", 0, 0);
    p.Place("4", "12", 0, 0);
    EXPECT_TRUE(level.Cells[0][0].LayerCode.equals("1"));
    EXPECT_EQ(level.Cells[0][0].TileIndex, 4);
    EXPECT_EQ(level.Cells[0][0].SurfaceIndex, 12);
}

TEST(ApplyPress, RightPressClearsOnlyThePiece) {
    LevelState level = MakeLevel(3);
    Presser p{level};
    p.Place("0", "3", 2, 2);
    p.Place("4", "1", 2, 2);
    level.SelectedTile = "junk";  // plays no part in clearing
    p.Press(PressButton::Right, "3", 2, 2);
    const TCellRecord& cell = level.Cells[2][2];
    EXPECT_EQ(cell.LayerCode.length, 0);
    EXPECT_EQ(cell.LayerCode.chars[0], '0');  // only the length byte is written
    EXPECT_EQ(cell.TileIndex, -1);
    EXPECT_EQ(cell.SurfaceIndex, 1);
}

TEST(ApplyPress, MiddlePressAndMissesChangeNothing) {
    LevelState level = MakeLevel(2);
    level.SelectedTile = "1";
    const LevelState before = level;
    ApplyPress(level, PressButton::Middle, "0", 93, 22, [] { FAIL(); });
    ApplyPress(level, PressButton::Left, "0", 0, 0, [] { FAIL(); });    // outside the map
    ApplyPress(level, PressButton::Left, "0", 0, 22, [] { FAIL(); });   // map x -1
    ApplyPress(level, PressButton::Left, "0", std::numeric_limits<std::int32_t>::min(), 22, [] { FAIL(); });
    ApplyPress(level, PressButton::Right, "0", std::numeric_limits<std::int32_t>::max(), 22, [] { FAIL(); });
    for (std::size_t a = 0; a < 2; ++a)
        for (std::size_t b = 0; b < 2; ++b) EXPECT_EQ(level.Cells[a][b].TileIndex, -1);
}

TEST(ApplyPress, PickPointAddsTheViewOffsets) {
    LevelState level = MakeLevel(1);  // diamond (46,0) (0,21) (46,42) (92,21)
    level.SelectedTile = "2";
    ApplyPress(level, PressButton::Left, "0", 0, 22, {});  // map (-1, 21): outside
    EXPECT_EQ(level.Cells[0][0].TileIndex, -1);
    ApplyPress(level, PressButton::Left, "0", 1, 22, {});  // map (0, 21): the left vertex
    EXPECT_EQ(level.Cells[0][0].TileIndex, 2);
}

TEST(ApplyPress, UnreadableSelectionPlacesNothing) {
    for (const char* tile : {"", "x", "1x", " 1", "+1", "99999999999"}) {
        LevelState level = MakeLevel(1);
        Presser p{level};
        p.Place("1", tile, 0, 0);
        EXPECT_EQ(level.Cells[0][0].LayerCode.length, 0) << tile;
        EXPECT_EQ(level.Cells[0][0].TileIndex, -1) << tile;
    }
    EXPECT_EQ(SelectedTileIndex("0"), 0);
    EXPECT_EQ(SelectedTileIndex("2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(SelectedTileIndex("2147483648"), std::nullopt);
}

// The object-ball rule, case by case.
TEST(TargetRule, NoBallOnTheLevelWarnsAndLeavesTheCellEmpty) {
    LevelState level = MakeLevel(3);
    Presser p{level};
    p.Place("3", "0", 1, 1);
    EXPECT_EQ(p.warnings, 1);
    EXPECT_EQ(level.Cells[1][1].LayerCode.length, 0);
    EXPECT_EQ(level.Cells[1][1].TileIndex, -1);
}

TEST(TargetRule, MatchingBallAllowsTheTargetOtherImagesWarn) {
    LevelState level = MakeLevel(3);
    Presser p{level};
    p.Place("1", "2", 0, 0);
    p.Place("3", "2", 2, 2);
    EXPECT_TRUE(level.Cells[2][2].LayerCode.equals("3"));
    EXPECT_EQ(level.Cells[2][2].TileIndex, 2);
    EXPECT_EQ(p.warnings, 0);

    p.Place("3", "3", 1, 2);
    EXPECT_EQ(p.warnings, 1);
    EXPECT_EQ(level.Cells[1][2].LayerCode.length, 0);
}

TEST(TargetRule, PressOnTheBallItselfTurnsItIntoItsTarget) {
    LevelState level = MakeLevel(3);
    Presser p{level};
    p.Place("1", "2", 1, 0);
    p.Place("3", "2", 1, 0);
    EXPECT_TRUE(level.Cells[1][0].LayerCode.equals("3"));
    EXPECT_EQ(level.Cells[1][0].TileIndex, 2);
    EXPECT_EQ(p.warnings, 0);
}

TEST(TargetRule, OccupiedCellWithoutMatchingBallStaysQuietly) {
    LevelState level = MakeLevel(3);
    Presser p{level};
    p.Place("0", "5", 2, 1);
    p.Place("3", "4", 2, 1);
    EXPECT_TRUE(level.Cells[2][1].LayerCode.equals("0"));
    EXPECT_EQ(level.Cells[2][1].TileIndex, 5);
    EXPECT_EQ(p.warnings, 0);
}

// Diamonds read from a file may overlap; one press then acts on every cell
// under it, a ascending, b ascending.
LevelState OverlappingLevel() {
    LevelState level = MakeLevel(3);
    const TCellShape shared = level.CellShapes[1][1];
    for (const auto& [a, b] : {std::pair{0, 0}, {0, 1}, {0, 2}, {2, 0}, {2, 2}}) level.CellShapes[a][b] = shared;
    return level;  // cells [0][0..2], [1][1], [2][0], [2][2] all under the middle of [1][1]
}

TEST(TargetRule, WarningSkipsTheRestOfTheColumn) {
    LevelState level = OverlappingLevel();
    level.Cells[1][1].LayerCode.assign("0");  // occupied: no warning for it
    std::vector<std::string> order;
    level.SelectedTile = "6";
    const TPoint middle{level.CellShapes[1][1].Top.x + 1, level.CellShapes[1][1].Top.y + 22};
    ApplyPress(level, PressButton::Left, "3", middle.x, middle.y, [&] { order.push_back("warn"); });
    // [0][0] warns and [0][1], [0][2] are skipped; [1][1] is quiet; [2][0]
    // warns and [2][2] is skipped.
    EXPECT_EQ(order.size(), 2u);

    // With a ball of image 6 somewhere, every hit cell becomes a target.
    level.Cells[1][0].LayerCode.assign("1");
    level.Cells[1][0].TileIndex = 6;
    order.clear();
    ApplyPress(level, PressButton::Left, "3", middle.x, middle.y, [&] { order.push_back("warn"); });
    EXPECT_TRUE(order.empty());
    for (const auto& [a, b] : {std::pair{0, 0}, {0, 1}, {0, 2}, {1, 1}, {2, 0}, {2, 2}}) {
        EXPECT_TRUE(level.Cells[a][b].LayerCode.equals("3")) << a << "," << b;
        EXPECT_EQ(level.Cells[a][b].TileIndex, 6);
    }
    EXPECT_TRUE(level.Cells[1][0].LayerCode.equals("1"));
}

TEST(TargetRule, BallAmongOverlappingCellsChangesMidPress) {
    // The ball at [0][1] is itself under the press: [0][0] becomes a target
    // (the ball still exists), then the ball turns into a target, and the
    // cells after it find no ball any more.
    LevelState level = OverlappingLevel();
    level.Cells[0][1].LayerCode.assign("1");
    level.Cells[0][1].TileIndex = 9;
    level.SelectedTile = "9";
    int warnings = 0;
    const TCellShape& s = level.CellShapes[1][1];
    ApplyPress(level, PressButton::Left, "3", s.Top.x + 1, s.Top.y + 22, [&] { ++warnings; });
    EXPECT_TRUE(level.Cells[0][0].LayerCode.equals("3"));
    EXPECT_TRUE(level.Cells[0][1].LayerCode.equals("3"));
    EXPECT_EQ(level.Cells[0][2].LayerCode.length, 0);  // warned: column 0 ends here anyway
    EXPECT_EQ(level.Cells[1][1].LayerCode.length, 0);  // warned
    EXPECT_EQ(level.Cells[2][0].LayerCode.length, 0);  // warned, [2][2] skipped
    EXPECT_EQ(warnings, 3);
}

TEST(ApplyPress, LeftPressOnOverlapsPlacesInEveryHitCell) {
    LevelState level = OverlappingLevel();
    level.SelectedTile = "1";
    const TCellShape& s = level.CellShapes[1][1];
    ApplyPress(level, PressButton::Left, "2", s.Top.x + 1, s.Top.y + 22, {});
    int placed = 0;
    for (const auto& column : level.Cells)
        for (const auto& cell : column) placed += cell.LayerCode.equals("2") ? 1 : 0;
    EXPECT_EQ(placed, 6);
}

}  // namespace
}  // namespace klv
