// The two real image-set files: names, properties, classes and sample pixels.

#include <filesystem>

#include <gtest/gtest.h>

#include "model/imageset/dxg_file.h"

namespace klv {
namespace {

std::string FixturePath(const char* name) { return std::string(KLV_SHARED_FIXTURES) + "/dxg/" + name; }

#define SKIP_WITHOUT_FIXTURES()                                                              \
    if (!std::filesystem::is_directory(std::string(KLV_SHARED_FIXTURES) + "/dxg"))           \
    GTEST_SKIP() << "shared fixtures folder " KLV_SHARED_FIXTURES "/dxg is absent"

std::uint32_t Rgb(int r, int g, int b) { return static_cast<std::uint32_t>((r << 16) | (g << 8) | b); }

TEST(FixtureFiles, Tileset1) {
    SKIP_WITHOUT_FIXTURES();
    ImageSet set;
    const auto result = LoadImageSetFile(FixturePath("tileset1.dxg"), set);
    ASSERT_TRUE(result.Ok) << result.Error;
    ASSERT_EQ(set.Items.size(), 4u);

    const ImageItem& none = set.Items[0];
    EXPECT_EQ(none.Name, "");
    EXPECT_EQ(none.Picture.GraphicClass, "");
    EXPECT_TRUE(none.Picture.Empty());
    EXPECT_TRUE(none.Transparent);
    EXPECT_EQ(none.TransparentColor, 0u);

    for (std::size_t i = 1; i < 4; ++i) {
        SCOPED_TRACE(i);
        const ImageItem& item = set.Items[i];
        EXPECT_EQ(item.Name, "Bubbles");
        EXPECT_EQ(item.Picture.GraphicClass, "TBitmap");
        EXPECT_TRUE(item.Picture.IsBitmap);
        EXPECT_EQ(item.Picture.Width, 64);
        EXPECT_EQ(item.Picture.Height, 64);
        EXPECT_EQ(item.Picture.BitCount, 4);
        EXPECT_EQ(item.PatternWidth, 0);
        EXPECT_EQ(item.PatternHeight, 0);
        EXPECT_EQ(item.PatternCount(), 1);
        EXPECT_EQ(item.TransparentColor, 0u);
        EXPECT_EQ(item.Transparent, i != 2);
        EXPECT_EQ(item.SystemMemory, i == 2);
    }
    EXPECT_EQ(set.Items[1].Picture.At(0, 0), Rgb(0, 0, 0));
    EXPECT_EQ(set.Items[1].Picture.At(32, 32), Rgb(192, 192, 192));
}

TEST(FixtureFiles, Font) {
    SKIP_WITHOUT_FIXTURES();
    ImageSet set;
    const auto result = LoadImageSetFile(FixturePath("font.dxg"), set);
    ASSERT_TRUE(result.Ok) << result.Error;
    ASSERT_EQ(set.Items.size(), 1u);
    const ImageItem& item = set.Items[0];
    EXPECT_EQ(item.Name, "yellowtext");
    EXPECT_EQ(item.Picture.GraphicClass, "TBitmap");
    EXPECT_EQ(item.Picture.Width, 440);
    EXPECT_EQ(item.Picture.Height, 88);
    EXPECT_EQ(item.Picture.BitCount, 8);
    EXPECT_EQ(item.PatternWidth, 22);
    EXPECT_EQ(item.PatternHeight, 22);
    EXPECT_EQ(item.PatternCount(), 80);
    EXPECT_EQ(item.Height(), 22);
    EXPECT_TRUE(item.Transparent);
    EXPECT_EQ(item.TransparentColor, 0xFF00FFu);
    EXPECT_EQ(item.Picture.At(0, 0), Rgb(255, 0, 255));
    EXPECT_EQ(item.Picture.At(5, 5), Rgb(33, 29, 0));
}

// What we write reads back the same: the real files survive a write and a read.
TEST(FixtureFiles, SurviveOurWriter) {
    SKIP_WITHOUT_FIXTURES();
    for (const char* name : {"tileset1.dxg", "font.dxg"}) {
        SCOPED_TRACE(name);
        ImageSet original;
        ASSERT_TRUE(LoadImageSetFile(FixturePath(name), original).Ok);
        const auto bytes = SerializeImageSet(original);
        ImageSet again;
        const auto result = ParseImageSet(bytes.data(), bytes.size(), again);
        ASSERT_TRUE(result.Ok) << result.Error;
        ASSERT_EQ(again.Items.size(), original.Items.size());
        for (std::size_t i = 0; i < original.Items.size(); ++i) {
            const ImageItem& a = original.Items[i];
            const ImageItem& b = again.Items[i];
            EXPECT_EQ(a.Name, b.Name);
            EXPECT_EQ(a.PatternWidth, b.PatternWidth);
            EXPECT_EQ(a.PatternHeight, b.PatternHeight);
            EXPECT_EQ(a.Transparent, b.Transparent);
            EXPECT_EQ(a.TransparentColor, b.TransparentColor);
            EXPECT_EQ(a.SystemMemory, b.SystemMemory);
            EXPECT_EQ(a.Picture.Width, b.Picture.Width);
            EXPECT_EQ(a.Picture.Height, b.Picture.Height);
            EXPECT_EQ(a.Picture.Pixels, b.Picture.Pixels);
            EXPECT_EQ(b.Picture.GraphicClass, a.Picture.Empty() ? "" : "TDIB");
        }
    }
}

}  // namespace
}  // namespace klv
