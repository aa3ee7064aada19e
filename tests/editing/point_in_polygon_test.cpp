// The crossing test on diamonds: which vertices and edges belong to a cell,
// that computed diamonds never overlap, and coordinates far beyond any map.

#include <gtest/gtest.h>

#include <limits>

#include "editing/placement.h"

namespace klv {
namespace {

TEST(PointInCell, VerticesEdgesAndRows) {
    const TCellShape d = ComputedCellShape(1, 0, 0);  // (46,0) (0,21) (46,42) (92,21)
    struct Case {
        TPoint point;
        bool inside;
    };
    const Case cases[] = {
        {{0, 21}, true},    // left vertex
        {{46, 0}, false},   // top vertex
        {{92, 21}, false},  // right vertex
        {{46, 42}, false},  // bottom vertex
        {{46, 21}, true},   // centre
        {{46, 1}, true},    // first row that belongs
        {{46, 41}, true},   // last row that belongs
        // Row 10: the left edges pass x = 46 -/+ 21.9.
        {{24, 10}, false},
        {{25, 10}, true},
        {{67, 10}, true},
        {{68, 10}, false},
        // Row 32, lower half: the left edge passes x = 24.1.
        {{24, 32}, false},
        {{25, 32}, true},
        {{91, 21}, true},
        {{-1, 21}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PointInCell(c.point, d), c.inside) << "(" << c.point.x << ", " << c.point.y << ")";
}

// Computed diamonds tile the map: each point of the map's outline (itself a
// diamond) lies in exactly one cell, every other point in none.
TEST(PointInCell, ComputedDiamondsTileTheMapWithoutOverlap) {
    const std::int32_t size = 3;
    const LevelState level = MakeLevel(size);
    const TCellShape outline{{46 * size, 0}, {0, 21 * size}, {46 * size, 42 * size}, {92 * size, 21 * size}};
    for (std::int32_t y = -2; y <= 42 * size + 2; ++y)
        for (std::int32_t x = -2; x <= 92 * size + 2; ++x) {
            int hits = 0;
            for (const auto& column : level.CellShapes)
                for (const auto& shape : column) hits += PointInCell({x, y}, shape) ? 1 : 0;
            ASSERT_EQ(hits, PointInCell({x, y}, outline) ? 1 : 0) << x << "," << y;
        }
}

TEST(PointInCell, RightVertexBelongsToTheNextCellAlongA) {
    const std::int32_t size = 4;
    const LevelState level = MakeLevel(size);
    for (std::int32_t a = 0; a < size; ++a)
        for (std::int32_t b = 0; b < size; ++b) {
            const TPoint right = level.CellShapes[a][b].Right;
            for (std::int32_t i = 0; i < size; ++i)
                for (std::int32_t j = 0; j < size; ++j) {
                    const bool expected = (i == a + 1 && j == b - 1);
                    ASSERT_EQ(PointInCell(right, level.CellShapes[i][j]), expected)
                        << "right vertex of [" << a << "][" << b << "] in [" << i << "][" << j << "]";
                }
        }
}

TEST(PointInPolygon, CoordinatesBeyondThirtyTwoBitProducts) {
    constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
    // A diamond spanning the whole coordinate range: products near 2^62.
    const TCellShape huge{{0, lo}, {lo, 0}, {0, hi}, {hi, 0}};
    EXPECT_TRUE(PointInCell({0, 0}, huge));
    EXPECT_TRUE(PointInCell({lo, 0}, huge));   // left vertex
    EXPECT_FALSE(PointInCell({hi, 0}, huge));  // right vertex
    EXPECT_FALSE(PointInCell({0, lo}, huge));  // top vertex
    EXPECT_TRUE(PointInCell({hi / 2 - 2, hi / 2}, huge));
    EXPECT_FALSE(PointInCell({hi / 2 + 2, hi / 2}, huge));
    EXPECT_TRUE(PointInCell({-(hi / 2) - 2, lo / 2 + 1}, huge));  // on the upper-left edge
    EXPECT_FALSE(PointInCell({-(hi / 2) - 3, lo / 2 + 1}, huge));

    // An edge x = y across the full range: both factors near 2^32, a product
    // beyond 64-bit signed.
    const TPoint triangle[3] = {{lo, lo}, {hi, hi}, {lo, hi}};
    EXPECT_TRUE(PointInPolygon({hi - 2, hi - 1}, triangle, 3));
    EXPECT_FALSE(PointInPolygon({hi - 1, hi - 1}, triangle, 3));  // on the right-hand edge
    EXPECT_FALSE(PointInPolygon({hi, hi - 1}, triangle, 3));
    EXPECT_TRUE(PointInPolygon({lo, hi - 1}, triangle, 3));  // on the left-hand edge
}

TEST(PointInPolygon, DegeneratePolygons) {
    const TPoint line[2] = {{0, 0}, {10, 10}};
    EXPECT_FALSE(PointInPolygon({5, 5}, line, 0));
    EXPECT_FALSE(PointInPolygon({5, 5}, nullptr, 4));
    EXPECT_FALSE(PointInPolygon({0, 0}, line, 1));
    EXPECT_FALSE(PointInPolygon({2, 5}, line, 2));  // two edges over the same span cancel
}

}  // namespace
}  // namespace klv
