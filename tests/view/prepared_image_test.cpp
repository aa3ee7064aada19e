// Preparing images (5-6-5 once, pattern layout) and drawing one pattern:
// the colour key at 16-bit precision, clipping on every side, pattern choice.

#include <gtest/gtest.h>

#include "view/prepared_image.h"
#include "view_test_support.h"

namespace klv {
namespace {

using test::MakeImage;
using test::SolidImage;

// Pixel (x, y) of a picture gets a colour of its own, never black.
std::uint32_t Distinct(std::int32_t x, std::int32_t y) { return 0x080808u + static_cast<std::uint32_t>(x) * 0x080000u + static_cast<std::uint32_t>(y) * 0x000800u; }

TEST(PreparedImage, KeyIsComparedAtSixteenBitPrecision) {
    struct Case {
        std::uint32_t pixelRgb;  // 0x00RRGGBB
        std::uint32_t keyRef;    // 0x00BBGGRR
        bool transparent;        // whether the pixel is left out
    };
    const Case cases[] = {
        {0xFF00FF, 0xFF00FF, true},   // the key itself
        {0xFC03F9, 0xF800F8, true},   // differs only in the bits 5-6-5 drops
        {0x123456, 0x563412, true},   // byte order: the key's low byte is red
        {0x123456, 0x123456, false},  // the same bytes read the other way round
        {0xF800F8, 0xF804F8, false},  // green differs in its sixth bit
        {0xF000F8, 0xF800F8, false},  // blue (key's high byte) differs in its fifth bit
    };
    for (const Case& c : cases) {
        ImageItem item = SolidImage(2, 1, c.pixelRgb);
        item.Transparent = true;
        item.TransparentColor = c.keyRef;
        const PreparedImage image = PrepareImage(item);
        Surface565 s;
        s.Resize(2, 1);
        s.Fill(0x0001);
        image.Draw(s, 0, 0, 0);
        EXPECT_EQ(s.At(0, 0), c.transparent ? 0x0001 : Rgb565FromRgb(c.pixelRgb)) << std::hex << c.pixelRgb << " key " << c.keyRef;
        // Without Transparent the key colour is drawn like any other.
        item.Transparent = false;
        PrepareImage(item).Draw(s, 0, 0, 0);
        EXPECT_EQ(s.At(1, 0), Rgb565FromRgb(c.pixelRgb));
    }
}

TEST(PreparedImage, KeyedCopyKeepsTheBackgroundUnderKeyPixelsOfAnyRowLength) {
    // Rows from 1 to 70 pixels, so both the blocked and the tail part of the copy run.
    for (std::int32_t w = 1; w <= 70; ++w) {
        ImageItem item = MakeImage(w, 2, [](std::int32_t x, std::int32_t y) { return (x + y) % 3 == 0 ? 0x00FF00u : Distinct(x, y); });
        item.Transparent = true;
        item.TransparentColor = 0x00FF00;
        Surface565 s;
        s.Resize(w, 2);
        s.Fill(0x1111);
        PrepareImage(item).Draw(s, 0, 0, 0);
        for (std::int32_t y = 0; y < 2; ++y)
            for (std::int32_t x = 0; x < w; ++x) ASSERT_EQ(s.At(x, y), (x + y) % 3 == 0 ? 0x1111 : Rgb565FromRgb(Distinct(x, y))) << w;
    }
}

TEST(PreparedImage, ClipsOnAllFourSides) {
    const ImageItem item = MakeImage(10, 8, Distinct);
    const PreparedImage image = PrepareImage(item);
    const std::pair<int, int> places[] = {{-3, -2}, {25, -2}, {-3, 17}, {25, 17}, {5, 5}, {-10, 0}, {30, 0}, {0, -8}, {0, 20}, {-20, -20}, {-2, -3}};
    for (auto [px, py] : places) {
        Surface565 s;
        s.Resize(30, 20);
        image.Draw(s, px, py, 0);
        for (std::int32_t y = 0; y < 20; ++y)
            for (std::int32_t x = 0; x < 30; ++x) {
                const bool inside = x >= px && x < px + 10 && y >= py && y < py + 8;
                ASSERT_EQ(s.At(x, y), inside ? Rgb565FromRgb(Distinct(x - px, y - py)) : 0) << px << "," << py << " at " << x << "," << y;
            }
    }
}

TEST(PreparedImage, DrawsTheChosenPatternAndNothingForPatternsItLacks) {
    // 3 patterns of 4 x 3 per row with 2-pixel gaps, 2 rows with 1-pixel gaps: 16 x 7.
    ImageItem item = MakeImage(16, 7, Distinct);
    item.PatternWidth = 4;
    item.PatternHeight = 3;
    item.SkipWidth = 2;
    item.SkipHeight = 1;
    const PreparedImage image = PrepareImage(item);
    ASSERT_EQ(image.PatternCount, 6);
    EXPECT_EQ(image.DrawHeight, 3);
    for (std::int32_t n = -1; n <= 6; ++n) {
        Surface565 s;
        s.Resize(4, 3);
        image.Draw(s, 0, 0, n);
        for (std::int32_t y = 0; y < 3; ++y)
            for (std::int32_t x = 0; x < 4; ++x) {
                const std::uint16_t expected = (n < 0 || n >= 6) ? 0 : Rgb565FromRgb(Distinct(n % 3 * 6 + x, n / 3 * 4 + y));
                ASSERT_EQ(s.At(x, y), expected) << "pattern " << n;
            }
    }
}

TEST(PreparedImage, ImagesThatCannotBeDrawnDrawNothingAndNeverFault) {
    struct Case {
        const char* what;
        ImageItem item;
    };
    std::vector<Case> cases;
    ImageItem notBitmap = SolidImage(4, 4, 0xFFFFFF);
    notBitmap.Picture.IsBitmap = false;
    cases.push_back({"not a bitmap", notBitmap});
    ImageItem shortPixels = SolidImage(4, 4, 0xFFFFFF);
    shortPixels.Picture.Pixels.resize(7);
    cases.push_back({"fewer pixels than its size", shortPixels});
    cases.push_back({"no picture", ImageItem{}});
    ImageItem widePattern = SolidImage(4, 4, 0xFFFFFF);
    widePattern.PatternWidth = 5;
    cases.push_back({"pattern wider than the picture", widePattern});
    ImageItem zeroStep = SolidImage(4, 4, 0xFFFFFF);
    zeroStep.SkipWidth = -4;
    cases.push_back({"patterns that do not advance", zeroStep});
    ImageItem negativeBoth = SolidImage(4, 4, 0xFFFFFF);
    negativeBoth.PatternWidth = 2;
    negativeBoth.PatternHeight = 2;
    negativeBoth.SkipWidth = -1;
    negativeBoth.SkipHeight = -1;
    cases.push_back({"overlapping patterns", negativeBoth});  // valid: 3 x 3 patterns
    ImageItem hugeSkip = SolidImage(4, 4, 0xFFFFFF);
    hugeSkip.PatternWidth = 10;  // steps of 4, but (4 - 6) div 4 = -1 patterns per row and -1 rows
    hugeSkip.PatternHeight = 10;
    hugeSkip.SkipWidth = -6;
    hugeSkip.SkipHeight = -6;
    cases.push_back({"skips that would make a negative count positive", hugeSkip});

    for (const Case& c : cases) {
        const PreparedImage image = PrepareImage(c.item);
        Surface565 s;
        s.Resize(6, 6);
        for (std::int32_t n = -1; n < 10; ++n) image.Draw(s, 1, 1, n);
        const bool drawsSomething = std::string(c.what) == "overlapping patterns";
        EXPECT_EQ(image.PatternCount, drawsSomething ? 9 : 0) << c.what;
        EXPECT_EQ(s.At(2, 2), drawsSomething ? 0xFFFF : 0) << c.what;
    }
}

TEST(PreparedImage, PrepareKeepsGeometryAndDropsThePictureData) {
    ImageSet set;
    set.Items.push_back(SolidImage(6, 80, 0x102030));
    set.Items.back().PatternHeight = 40;
    set.Items.back().Name = "tall";
    set.Items.push_back(SolidImage(92, 42, 0x102030));
    const PreparedImageSet prepared = PrepareImageSet(set);
    ASSERT_EQ(prepared.Count(), 2);
    EXPECT_EQ(prepared.Images[0].DrawHeight, 40);
    EXPECT_EQ(prepared.Images[0].PatternCount, 2);
    EXPECT_EQ(prepared.Images[0].Geometry.Name, "tall");
    EXPECT_TRUE(prepared.Images[0].Geometry.Picture.Pixels.empty());
    EXPECT_EQ(prepared.Images[0].Geometry.Picture.Height, 80);
    EXPECT_EQ(prepared.Images[1].DrawHeight, 42);
    EXPECT_EQ(prepared.Images[1].Pixels.size(), 92u * 42u);
}

}  // namespace
}  // namespace klv
