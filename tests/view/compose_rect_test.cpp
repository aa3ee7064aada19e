// Composing a rectangle gives exactly the whole back buffer cropped to it,
// and the whole back buffer is what the plain reference composition draws.
// Random levels mix computed and loaded-looking diamond layouts, tall and
// wide images, patterns, colour keys and animated layers.

#include <gtest/gtest.h>

#include <random>

#include "view/compositor.h"
#include "view_test_support.h"

namespace klv {
namespace {

using Rng = std::mt19937;

int Uniform(Rng& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

ImageItem RandomImage(Rng& rng) {
    const std::uint32_t palette[] = {0xFF00FF, 0x00FF00, 0x123456, 0xFFFFFF, 0x000000, 0x808080, 0xF8FCF8, 0x07FF07};
    const int patternsX = Uniform(rng, 1, 4), patternsY = Uniform(rng, 1, 3);
    const int pw = Uniform(rng, 0, 3) == 0 ? Uniform(rng, 100, 260) : Uniform(rng, 1, 100);  // sometimes very wide
    const int ph = Uniform(rng, 0, 3) == 0 ? Uniform(rng, 90, 220) : Uniform(rng, 1, 90);    // sometimes very tall
    const int skipX = Uniform(rng, 0, 3), skipY = Uniform(rng, 0, 2);
    const int w = patternsX * pw + (patternsX - 1) * skipX + Uniform(rng, 0, 2);
    const int h = patternsY * ph + (patternsY - 1) * skipY + Uniform(rng, 0, 2);
    const unsigned seed = static_cast<unsigned>(rng());
    ImageItem item = test::MakeImage(w, h, [&](std::int32_t x, std::int32_t y) {
        const unsigned v = (static_cast<unsigned>(x) * 7u + static_cast<unsigned>(y) * 13u + seed) / 5u;
        return palette[v % 8];
    });
    const bool onePattern = patternsX * patternsY == 1 && Uniform(rng, 0, 1) == 0;
    item.PatternWidth = onePattern ? 0 : pw;
    item.PatternHeight = onePattern ? 0 : ph;
    item.SkipWidth = skipX;
    item.SkipHeight = skipY;
    item.Transparent = Uniform(rng, 0, 3) != 0;
    item.TransparentColor = Uniform(rng, 0, 1) ? 0xFF00FF : 0x563412;  // 0x563412 is 0x123456 as a colour value
    if (Uniform(rng, 0, 15) == 0) item.Picture.IsBitmap = false;  // not drawable
    return item;
}

void FillRandomCells(LevelState& level, std::int32_t images, Rng& rng) {
    const int density = Uniform(rng, 1, 4);
    for (auto& column : level.Cells)
        for (auto& cell : column) {
            if (Uniform(rng, 0, density) == 0) cell.SurfaceIndex = Uniform(rng, -1, images);  // the last index is out of range
            if (Uniform(rng, 0, density) == 0) {
                const char* codes[] = {"0", "1", "2", "3", "3", "2", "4", "00", ""};
                cell.LayerCode.assign(codes[Uniform(rng, 0, 8)]);
                cell.TileIndex = Uniform(rng, -1, images);
            }
        }
}

// Diamonds as a file may hold them: the computed grid moved, single cells
// moved anywhere (even far outside, near the 32-bit limits), or all scattered.
void DisturbDiamonds(LevelState& level, Rng& rng) {
    switch (Uniform(rng, 0, 4)) {
        case 0:
        case 1:
            return;  // computed layout
        case 2: {    // the whole grid shifted, still regular
            const int dx = Uniform(rng, -200, 200), dy = Uniform(rng, -150, 150);
            for (auto& column : level.CellShapes)
                for (auto& shape : column) shape.Top = {shape.Top.x + dx, shape.Top.y + dy};
            return;
        }
        case 3: {  // a few cells elsewhere
            if (level.LevelWidth == 0) return;
            for (int k = Uniform(rng, 1, 4); k > 0; --k) {
                auto& shape = level.CellShapes[static_cast<std::size_t>(Uniform(rng, 0, level.LevelWidth - 1))][static_cast<std::size_t>(Uniform(rng, 0, level.LevelWidth - 1))];
                if (Uniform(rng, 0, 3) == 0) shape.Top = {Uniform(rng, 0, 1) ? INT32_MAX : INT32_MIN, Uniform(rng, 0, 1) ? INT32_MAX : INT32_MIN};
                else shape.Top = {Uniform(rng, -100, level.LevelWidth * 92 + 100), Uniform(rng, -100, level.LevelWidth * 42 + 100)};
            }
            return;
        }
        default:  // scattered
            for (auto& column : level.CellShapes)
                for (auto& shape : column) shape.Top = {Uniform(rng, -60, level.LevelWidth * 92 + 60), Uniform(rng, -60, level.LevelWidth * 42 + 60)};
    }
}

DrawRect RandomRect(const Surface565& whole, Rng& rng) {
    DrawRect r;
    switch (Uniform(rng, 0, 5)) {
        case 0:  // partly or wholly outside
            r = {Uniform(rng, -300, whole.Width + 50), Uniform(rng, -300, whole.Height + 50), Uniform(rng, 0, 500), Uniform(rng, 0, 500)};
            break;
        case 1:  // thin strips
            r = {Uniform(rng, 0, whole.Width), Uniform(rng, 0, whole.Height), Uniform(rng, 0, 2), Uniform(rng, 1, 400)};
            if (Uniform(rng, 0, 1)) std::swap(r.Width, r.Height);
            break;
        case 2:  // the whole area and beyond
            r = {-Uniform(rng, 0, 3), -Uniform(rng, 0, 3), whole.Width + Uniform(rng, 0, 6), whole.Height + Uniform(rng, 0, 6)};
            break;
        default:  // inside, window sized
            r.Width = Uniform(rng, 1, std::max(1, std::min(whole.Width, 480)));
            r.Height = Uniform(rng, 1, std::max(1, std::min(whole.Height, 480)));
            r.Left = Uniform(rng, 0, std::max(0, whole.Width - r.Width));
            r.Top = Uniform(rng, 0, std::max(0, whole.Height - r.Height));
    }
    return r;
}

TEST(ComposeRect, EqualsTheWholeBackBufferCroppedForManyRectanglesAndLevels) {
    Rng rng(20261211);
    int regularLevels = 0, rects = 0;
    for (int round = 0; round < 60; ++round) {
        const std::int32_t size = round < 3 ? round : Uniform(rng, 0, 14);
        LevelState level = MakeLevel(size);
        if (Uniform(rng, 0, 4) == 0) {  // view offsets other than -1 move everything alike
            level.ViewOffsetX = Uniform(rng, -40, 40);
            level.ViewOffsetY = Uniform(rng, -40, 40);
        }
        test::SetBundle sets;
        const int images = Uniform(rng, 0, 5);
        for (auto& set : sets.Raw)
            for (int i = 0; i < images; ++i) set.Items.push_back(RandomImage(rng));
        sets.Prepare();
        FillRandomCells(level, images, rng);
        DisturbDiamonds(level, rng);
        if (level.CellShapes == MakeLevel(size).CellShapes) ++regularLevels;
        const std::int32_t animFrame = Uniform(rng, 0, 12);

        const FrameInputs inputs = test::Inputs(level, sets.Sets, animFrame);
        Surface565 whole;
        ComposeWhole(inputs, whole);
        ASSERT_EQ(whole.Pixels, test::ReferenceCompose(level, sets.Raw, animFrame).Pixels) << "round " << round;
        for (int k = 0; k < 40; ++k, ++rects) {
            const DrawRect rect = RandomRect(whole, rng);
            Surface565 part;
            part.Resize(3, 3);
            part.Fill(0x5555);  // stale content must not survive
            ComposeRect(inputs, rect, part);
            ASSERT_EQ(part.Width, rect.Width);
            ASSERT_EQ(part.Height, rect.Height);
            ASSERT_EQ(part.Pixels, test::Crop(whole, rect).Pixels)
                << "round " << round << " rect " << rect.Left << "," << rect.Top << " " << rect.Width << "x" << rect.Height;
        }
    }
    EXPECT_GT(regularLevels, 10);
    EXPECT_EQ(rects, 60 * 40);
}

TEST(ComposeRect, ArraysShorterThanTheSizeSayDrawWhatExists) {
    // A level whose arrays do not match its size (never made by the model, but
    // nothing may read past them).
    LevelState level = MakeLevel(6);
    test::SetBundle sets;
    sets[LayerSlot::Land].Items = {test::SolidImage(92, 60, 0x00FF00)};
    sets.Prepare();
    for (auto& column : level.Cells)
        for (auto& cell : column) {
            cell.LayerCode.assign("0");
            cell.TileIndex = 0;
        }
    level.Cells[2].resize(3);
    level.CellShapes[4].resize(1);
    level.Cells.resize(5);
    Surface565 whole, part;
    ComposeWhole(test::Inputs(level, sets.Sets, 0), whole);
    EXPECT_EQ(whole.Pixels, test::ReferenceCompose(level, sets.Raw, 0).Pixels);
    ComposeRect(test::Inputs(level, sets.Sets, 0), DrawRect{100, 50, 300, 200}, part);
    EXPECT_EQ(part.Pixels, test::Crop(whole, DrawRect{100, 50, 300, 200}).Pixels);

    // A size far beyond the arrays walks only the cells that exist.
    level.LevelWidth = level.LevelHeight = 1'000'000;
    IndexFaultLog log;
    int faults = 0;
    FindIndexFaults(level, sets.Sets, log, [&](LayerSlot, std::int32_t, const std::string&) { ++faults; });
    EXPECT_EQ(faults, 0);
    ComposeRect(test::Inputs(level, sets.Sets, 0), DrawRect{0, 0, 64, 64}, part);
    EXPECT_EQ(part.Width, 64);
}

}  // namespace
}  // namespace klv
