// The bundled default image sets: what the palettes and the renderer need of
// them, and where their pixels land on a cell.

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "model/imageset/dxg_file.h"
#include "scene_compositor.h"

namespace klv {
namespace {

using testing::Frame;

constexpr std::uint32_t kFuchsia = 0x00FF00FF;

ImageSet LoadDefault(const std::string& file) {
    ImageSet set;
    const auto result = LoadImageSetFile(std::string(KLV_BIN_DIR) + "/dxg/" + file, set);
    EXPECT_TRUE(result.Ok) << file << ": " << result.Error;
    return set;
}

bool MagentaIsh(std::uint32_t rgb) {
    return ((rgb >> 19) & 0x1F) == 31 && ((rgb >> 10) & 0x3F) == 0 && ((rgb >> 3) & 0x1F) == 31;
}

struct SetExpectation {
    const char* file;
    std::size_t minimumImages;
    bool animated;
};

TEST(DefaultSets, NamedKeyedAndCutIntoPatterns) {
    const SetExpectation expectations[] = {
        {"land.dxg", 8, false}, {"ball.dxg", 6, false}, {"anm.dxg", 3, true},
        {"objectball.dxg", 6, true}, {"surface.dxg", 6, false},
    };
    for (const auto& expected : expectations) {
        SCOPED_TRACE(expected.file);
        const ImageSet set = LoadDefault(expected.file);
        EXPECT_GE(set.Items.size(), expected.minimumImages);
        std::set<std::string> names;
        for (const ImageItem& item : set.Items) {
            SCOPED_TRACE(item.Name);
            EXPECT_FALSE(item.Name.empty());
            names.insert(item.Name);
            EXPECT_TRUE(item.Transparent);
            EXPECT_EQ(item.TransparentColor, kFuchsia);
            ASSERT_FALSE(item.Picture.Empty());
            EXPECT_EQ(item.PatternW(), 92);
            EXPECT_LE(item.Height(), 91) << "taller pieces lose their top in the 91 x 91 thumbnail";
            EXPECT_EQ(item.PatternCount(), expected.animated ? 11 : 1);
            std::size_t stray = 0;
            for (const std::uint32_t p : item.Picture.Pixels)
                if (p != 0xFF00FF && MagentaIsh(p)) ++stray;
            EXPECT_EQ(stray, 0u) << "art pixels the 5-6-5 colour key would drop";
        }
        EXPECT_EQ(names.size(), set.Items.size()) << "names repeat";
    }
    EXPECT_EQ(LoadDefault("ball.dxg").Items.size(), LoadDefault("objectball.dxg").Items.size())
        << "every ball needs its target";
}

// Which frame pixels an image covers on a cell: drawn over two different
// backgrounds, covered pixels agree.
std::vector<bool> Coverage(const ImageItem& item, std::int32_t n, std::int32_t topX, std::int32_t topY, Frame& a) {
    a = Frame(300, 200, 0x000000);
    Frame b(300, 200, 0xFFFFFF);
    testing::DrawOnCell(a, item, n, topX, topY);
    testing::DrawOnCell(b, item, n, topX, topY);
    std::vector<bool> covered(a.Pixels.size());
    for (std::size_t i = 0; i < covered.size(); ++i) covered[i] = a.Pixels[i] == b.Pixels[i];
    return covered;
}

constexpr std::int32_t kTopX = 150, kTopY = 100;

TEST(DefaultSets, SurfacesCoverExactlyTheirCell) {
    for (const ImageItem& item : LoadDefault("surface.dxg").Items) {
        SCOPED_TRACE(item.Name);
        Frame frame(1, 1);
        const auto covered = Coverage(item, 0, kTopX, kTopY, frame);
        std::size_t wrong = 0;
        for (std::int32_t y = 0; y < frame.Height; ++y)
            for (std::int32_t x = 0; x < frame.Width; ++x)
                if (covered[static_cast<std::size_t>(y * frame.Width + x)] != testing::InsideDiamond(x, y, kTopX, kTopY)) ++wrong;
        EXPECT_EQ(wrong, 0u);
    }
}

// A block stands on its cell: its pixels fill the cell raised by the block's
// rise, the cell itself and the side faces between, and nothing else.
TEST(DefaultSets, BlocksStandOnTheirCell) {
    std::size_t taller = 0;
    for (const ImageItem& item : LoadDefault("land.dxg").Items) {
        SCOPED_TRACE(item.Name);
        const std::int32_t rise = item.Height() - 42;
        ASSERT_GE(rise, 0);
        if (rise > 0) ++taller;
        Frame frame(1, 1);
        const auto covered = Coverage(item, 0, kTopX, kTopY, frame);
        std::size_t wrong = 0;
        for (std::int32_t y = 0; y < frame.Height; ++y)
            for (std::int32_t x = 0; x < frame.Width; ++x) {
                bool inside = testing::InsideDiamond(x, y, kTopX, kTopY - rise) || testing::InsideDiamond(x, y, kTopX, kTopY);
                for (std::int32_t r = 0; r < rise && !inside; ++r) inside = testing::InsideDiamond(x, y, kTopX, kTopY - r);
                if (covered[static_cast<std::size_t>(y * frame.Width + x)] != inside) ++wrong;
            }
        EXPECT_EQ(wrong, 0u);
    }
    EXPECT_GE(taller, 1u) << "some blocks rise over the cells behind them";
}

// Balls and targets sit on the middle of their cell: they touch the centre
// and nothing of them reaches below the cell's diamond.
TEST(DefaultSets, BallsAndTargetsSitOnTheirCell) {
    for (const char* file : {"ball.dxg", "objectball.dxg", "anm.dxg"}) {
        for (const ImageItem& item : LoadDefault(file).Items) {
            for (std::int32_t n = 0; n < item.PatternCount(); ++n) {
                SCOPED_TRACE(std::string(file) + " " + item.Name + " pattern " + std::to_string(n));
                Frame frame(1, 1);
                const auto covered = Coverage(item, n, kTopX, kTopY, frame);
                EXPECT_TRUE(covered[static_cast<std::size_t>((kTopY + 21) * frame.Width + kTopX)]);
                std::size_t below = 0;
                for (std::int32_t y = kTopY + 21; y < frame.Height; ++y)
                    for (std::int32_t x = 0; x < frame.Width; ++x)
                        if (covered[static_cast<std::size_t>(y * frame.Width + x)] && !testing::InsideDiamond(x, y, kTopX, kTopY)) ++below;
                EXPECT_EQ(below, 0u);
            }
        }
    }
}

TEST(DefaultSets, AnimatedPiecesMove) {
    for (const char* file : {"anm.dxg", "objectball.dxg"}) {
        for (const ImageItem& item : LoadDefault(file).Items) {
            SCOPED_TRACE(std::string(file) + " " + item.Name);
            std::set<std::vector<std::uint32_t>> frames;
            for (std::int32_t n = 1; n < 11; ++n) {
                const PatternRect r = item.PatternAt(n);
                std::vector<std::uint32_t> pixels;
                for (std::int32_t y = r.y; y < r.y + r.height; ++y)
                    for (std::int32_t x = r.x; x < r.x + r.width; ++x) pixels.push_back(item.Picture.At(x, y));
                frames.insert(pixels);
            }
            EXPECT_GE(frames.size(), 5u);
        }
    }
}

// A scene of every bundled image for looking at: build-dir/default_sets_scene.png.
TEST(DefaultSets, SceneForTheEye) {
    const ImageSet land = LoadDefault("land.dxg"), balls = LoadDefault("ball.dxg"), anm = LoadDefault("anm.dxg"),
                   targets = LoadDefault("objectball.dxg"), surfaces = LoadDefault("surface.dxg");
    const std::int32_t grid = 8;
    Frame frame(grid * 92 + 2, grid * 42 + 2 + 60);
    const auto top = [&](std::int32_t a, std::int32_t b) {
        return std::pair<std::int32_t, std::int32_t>{grid * 46 + 1 + 46 * (a - b), 60 + 1 + 21 * (a + b)};
    };
    for (std::int32_t a = 0; a < grid; ++a)
        for (std::int32_t b = 0; b < grid; ++b) testing::DrawDiamondOutline(frame, top(a, b).first, top(a, b).second, 0xFFFFFF);
    for (std::int32_t s = 0; s <= 2 * grid - 2; ++s)
        for (std::int32_t a = std::max(0, s - grid + 1); a <= std::min(s, grid - 1); ++a) {
            const std::int32_t b = s - a;
            const auto [x, y] = top(a, b);
            const auto index = static_cast<std::size_t>(a + b * grid);
            if (b >= 2 && !surfaces.Items.empty()) testing::DrawOnCell(frame, surfaces.Items[index % surfaces.Items.size()], 0, x, y);
        }
    for (std::int32_t s = 0; s <= 2 * grid - 2; ++s)
        for (std::int32_t a = std::max(0, s - grid + 1); a <= std::min(s, grid - 1); ++a) {
            const std::int32_t b = s - a;
            const auto [x, y] = top(a, b);
            const auto i = static_cast<std::size_t>(a);
            if (b == 0 && i < land.Items.size()) testing::DrawOnCell(frame, land.Items[i], 0, x, y);
            if (b == 1 && i < land.Items.size() && i + 1 < land.Items.size()) testing::DrawOnCell(frame, land.Items[i + 1], 0, x, y);
            if (b == 3 && i < balls.Items.size()) testing::DrawOnCell(frame, balls.Items[i], 0, x, y);
            if (b == 5 && i < targets.Items.size()) testing::DrawOnCell(frame, targets.Items[i], 0, x, y);
            if (b == 7 && i < anm.Items.size() * 2) testing::DrawOnCell(frame, anm.Items[i / 2], static_cast<std::int32_t>(i % 2) * 5, x, y);
        }
    const std::string path = std::string(KLV_TEST_OUTPUT_DIR) + "/default_sets_scene.png";
    EXPECT_EQ(testing::SaveFrame(frame, path), "");
}

}  // namespace
}  // namespace klv

namespace klv {
namespace {

// Every image of one set three times enlarged, four to a row; animated ones
// pattern by pattern, a row each: build-dir/default_sets_<set>.png.
TEST(DefaultSets, EnlargedSheetsForTheEye) {
    constexpr std::int32_t kZoom = 3, kGap = 4;
    for (const char* name : {"land", "ball", "anm", "objectball", "surface"}) {
        const ImageSet set = LoadDefault(std::string(name) + ".dxg");
        // Cells of the sheet: (item, pattern) in rows of four.
        std::vector<std::pair<std::size_t, std::int32_t>> cells;
        for (std::size_t i = 0; i < set.Items.size(); ++i) {
            const std::int32_t patterns = std::min(set.Items[i].PatternCount(), 4);
            for (std::int32_t n = 0; n < patterns; ++n) cells.emplace_back(i, n);
            if (set.Items[i].PatternCount() > 1)
                while (cells.size() % 4 != 0) cells.emplace_back(i, -1);
        }
        std::int32_t cellH = 0;
        for (const ImageItem& item : set.Items) cellH = std::max(cellH, item.Height());
        const auto rows = static_cast<std::int32_t>((cells.size() + 3) / 4);
        testing::Frame small(4 * (92 + kGap), rows * (cellH + kGap), 0x303038);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const ImageItem& item = set.Items[cells[c].first];
            const auto col = static_cast<std::int32_t>(c % 4), row = static_cast<std::int32_t>(c / 4);
            testing::DrawPattern(small, item, cells[c].second, col * (92 + kGap), row * (cellH + kGap) + cellH - item.Height());
        }
        testing::Frame large(small.Width * kZoom, small.Height * kZoom);
        for (std::int32_t py = 0; py < large.Height; ++py)
            for (std::int32_t px = 0; px < large.Width; ++px)
                large.Pixels[static_cast<std::size_t>(py * large.Width + px)] = small.At(px / kZoom, py / kZoom);
        EXPECT_EQ(testing::SaveFrame(large, std::string(KLV_TEST_OUTPUT_DIR) + "/default_sets_" + name + ".png"), "");
    }
}

}  // namespace
}  // namespace klv
