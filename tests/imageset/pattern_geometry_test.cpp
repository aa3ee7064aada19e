// How a picture is cut into numbered patterns, including what hostile
// pattern sizes and gaps from a file do. Only the picture's size matters.

#include <gtest/gtest.h>

#include "model/imageset/image_set.h"

namespace klv {
namespace {

struct GeometryCase {
    const char* label;
    std::int32_t pictureW, pictureH, patternW, patternH, skipW, skipH;
    std::int32_t perRow, rows;
    std::int32_t probe;
    PatternRect probeRect;
};

ImageItem Item(const GeometryCase& c) {
    ImageItem item;
    item.Picture.IsBitmap = true;
    item.Picture.Width = c.pictureW;
    item.Picture.Height = c.pictureH;
    item.PatternWidth = c.patternW;
    item.PatternHeight = c.patternH;
    item.SkipWidth = c.skipW;
    item.SkipHeight = c.skipH;
    return item;
}

TEST(PatternGeometry, CutsRowByRow) {
    const GeometryCase cases[] = {
        {"whole picture", 64, 64, 0, 0, 0, 0, 1, 1, 0, {0, 0, 64, 64}},
        {"font strip 440 x 88 in 22 x 22", 440, 88, 22, 22, 0, 0, 20, 4, 21, {22, 22, 22, 22}},
        {"animation strip", 1012, 84, 92, 84, 0, 0, 11, 1, 10, {920, 0, 92, 84}},
        {"skips between patterns", 50, 30, 10, 10, 2, 3, 4, 2, 5, {12, 13, 10, 10}},
        {"skip lets the last pattern fit", 34, 10, 10, 0, 2, 0, 3, 1, 2, {24, 0, 10, 10}},
        {"remainder is no pattern", 35, 10, 10, 0, 0, 0, 3, 1, 2, {20, 0, 10, 10}},
        {"only pattern width set", 40, 16, 8, 0, 0, 0, 5, 1, 4, {32, 0, 8, 16}},
        {"negative skip overlaps", 20, 10, 10, 0, -5, 0, 3, 1, 2, {10, 0, 10, 10}},
        {"pattern wider than picture", 10, 10, 20, 0, 0, 0, 0, 1, 0, {}},
        {"skip cancels the pattern width", 20, 10, 10, 0, -10, 0, 0, 1, 0, {}},
        {"skip beyond the pattern width", 20, 10, 10, 0, -11, 0, 0, 1, 0, {}},
        {"negative pattern width means the picture's", 20, 10, -4, 0, 0, 0, 1, 1, 0, {0, 0, 20, 10}},
        {"huge values do not overflow", 16384, 16384, 1, 1, 2147483647, 0, 1, 16384, 0, {0, 0, 1, 1}},
        {"no picture", 0, 0, 0, 0, 0, 0, 0, 0, 0, {}},
        {"no picture but a pattern size", 0, 0, 16, 16, 0, 0, 0, 0, 0, {}},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.label);
        const ImageItem item = Item(c);
        EXPECT_EQ(item.PatternsPerRow(), c.perRow);
        EXPECT_EQ(item.PatternRows(), c.rows);
        EXPECT_EQ(item.PatternCount(), c.perRow * c.rows);
        if (item.PatternCount() > 0) {
            EXPECT_EQ(item.PatternAt(c.probe), c.probeRect);
        }
    }
}

TEST(PatternGeometry, HeightIsThePatternHeightOrThePicture) {
    GeometryCase c{"", 30, 40, 0, 0, 0, 0, 0, 0, 0, {}};
    EXPECT_EQ(Item(c).Height(), 40);
    c.patternH = 12;
    EXPECT_EQ(Item(c).Height(), 12);
    c.patternH = -3;
    EXPECT_EQ(Item(c).Height(), 40);
}

}  // namespace
}  // namespace klv
