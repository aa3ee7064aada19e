// What the writer produces: the layout the original tools read, and every
// name, property and pixel back when read again.

#include <algorithm>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "model/byte_io.h"
#include "model/imageset/dxg_file.h"

namespace klv {
namespace {

using Bytes = std::vector<std::uint8_t>;

Picture MakePicture(std::int32_t w, std::int32_t h, std::uint32_t colours) {
    Picture p;
    p.GraphicClass = "TDIB";
    p.IsBitmap = true;
    p.Width = w;
    p.Height = h;
    for (std::int32_t i = 0; i < w * h; ++i) {
        const auto c = static_cast<std::uint32_t>(i) % colours;
        p.Pixels.push_back((c * 2654435761u) & 0xFFFFFF);
    }
    return p;
}

ImageSet SampleSet() {
    ImageSet set;
    ImageItem a;
    a.Name = "eight bits";
    a.Picture = MakePicture(7, 5, 256);  // odd width: rows need padding
    a.PatternWidth = 22;
    a.PatternHeight = 300;
    a.SkipWidth = -2;
    a.SkipHeight = 70000;
    a.Transparent = false;
    a.TransparentColor = 0xFF00FF;
    a.SystemMemory = true;
    ImageItem b;
    b.Name = "twenty-four bits";
    b.Picture = MakePicture(33, 9, 257);
    b.TransparentColor = 0x123456;
    ImageItem none;  // no name, no picture
    set.Items = {a, b, none};
    return set;
}

bool Contains(const Bytes& haystack, const Bytes& needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

Bytes Named(const std::string& name, Bytes value) {
    Bytes out;
    out.reserve(1 + name.size() + value.size());
    out.push_back(static_cast<std::uint8_t>(name.size()));
    for (const char c : name) out.push_back(static_cast<std::uint8_t>(c));
    for (const std::uint8_t b : value) out.push_back(b);
    return out;
}

TEST(WriterRoundTrip, NamesPropertiesAndPixelsComeBack) {
    const ImageSet set = SampleSet();
    const Bytes bytes = SerializeImageSet(set);
    ImageSet again;
    const auto result = ParseImageSet(bytes.data(), bytes.size(), again);
    ASSERT_TRUE(result.Ok) << result.Error;
    ASSERT_EQ(again.Items.size(), set.Items.size());
    for (std::size_t i = 0; i < set.Items.size(); ++i) {
        SCOPED_TRACE(i);
        const ImageItem& x = set.Items[i];
        const ImageItem& y = again.Items[i];
        EXPECT_EQ(x.Name, y.Name);
        EXPECT_EQ(x.PatternWidth, y.PatternWidth);
        EXPECT_EQ(x.PatternHeight, y.PatternHeight);
        EXPECT_EQ(x.SkipWidth, y.SkipWidth);
        EXPECT_EQ(x.SkipHeight, y.SkipHeight);
        EXPECT_EQ(x.Transparent, y.Transparent);
        EXPECT_EQ(x.TransparentColor, y.TransparentColor);
        EXPECT_EQ(x.SystemMemory, y.SystemMemory);
        EXPECT_EQ(x.Picture.Width, y.Picture.Width);
        EXPECT_EQ(x.Picture.Height, y.Picture.Height);
        EXPECT_EQ(x.Picture.Pixels, y.Picture.Pixels);
    }
    EXPECT_EQ(again.Items[0].Picture.GraphicClass, "TDIB");
    EXPECT_EQ(again.Items[0].Picture.BitCount, 8) << "256 colours fit a colour table";
    EXPECT_EQ(again.Items[1].Picture.BitCount, 24) << "257 colours do not";
    EXPECT_EQ(again.Items[2].Picture.GraphicClass, "") << "no picture stays no picture";
}

TEST(WriterRoundTrip, LayoutTheOriginalToolsRead) {
    const Bytes bytes = SerializeImageSet(SampleSet());
    ByteReader in(bytes.data(), bytes.size());
    std::uint8_t marker = 0;
    std::uint16_t type = 0, flags = 0;
    std::uint32_t size = 0;
    ASSERT_TRUE(in.U8(marker) && in.U16(type));
    EXPECT_EQ(marker, 0xFF);
    EXPECT_EQ(type, 10);
    std::string name;
    for (std::uint8_t c = 0; in.U8(c) && c != 0;) name += static_cast<char>(c);
    EXPECT_EQ(name, "PICTURECOLLECTION");
    ASSERT_TRUE(in.U16(flags) && in.U32(size));
    EXPECT_EQ(flags, 0x1030);
    EXPECT_EQ(size, in.Remaining());
    EXPECT_EQ(Bytes(in.Current(), in.Current() + 4), (Bytes{'T', 'P', 'F', '0'}));

    Bytes colourTable = Named("List.ColorTable", {10, 0, 4, 0, 0});
    colourTable.insert(colourTable.end(), 1024, 0);
    EXPECT_TRUE(Contains(bytes, colourTable));
    // Integers in the smallest type that fits; colours by name where the toolkit has one.
    EXPECT_TRUE(Contains(bytes, Named("PatternWidth", {2, 22})));
    EXPECT_TRUE(Contains(bytes, Named("PatternHeight", {3, 0x2C, 0x01})));
    EXPECT_TRUE(Contains(bytes, Named("SkipHeight", {4, 0x70, 0x11, 0x01, 0x00})));
    EXPECT_TRUE(Contains(bytes, Named("SkipWidth", {2, 0xFE})));
    EXPECT_TRUE(Contains(bytes, Named("TransparentColor", {7, 9, 'c', 'l', 'F', 'u', 'c', 'h', 's', 'i', 'a'})));
    EXPECT_TRUE(Contains(bytes, Named("TransparentColor", {4, 0x56, 0x34, 0x12, 0x00})));
    EXPECT_TRUE(Contains(bytes, Named("SystemMemory", {9})));
    EXPECT_TRUE(Contains(bytes, Named("Transparent", {8})));
    // Packed DIBs: a 40-byte header straight after the class name, 256 colours at 8 bits.
    EXPECT_TRUE(Contains(bytes, Bytes{4, 'T', 'D', 'I', 'B', 40, 0, 0, 0, 7, 0, 0, 0, 5, 0, 0, 0, 1, 0, 8, 0}));
    EXPECT_TRUE(Contains(bytes, Bytes{4, 'T', 'D', 'I', 'B', 40, 0, 0, 0, 33, 0, 0, 0, 9, 0, 0, 0, 1, 0, 24, 0}));
}

TEST(WriterRoundTrip, SavedFileLoadsAndAFailedSaveSaysWhy) {
    const auto folder = std::filesystem::temp_directory_path() / ("klv-imageset-save-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "set.dxg").string();
    ASSERT_EQ(SaveImageSetFile(path, SampleSet()), "");
    ImageSet loaded;
    ASSERT_TRUE(LoadImageSetFile(path, loaded).Ok);
    EXPECT_EQ(loaded.Items.size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));

    const std::string unwritable = (folder / "missing-folder" / "set.dxg").string();
    EXPECT_NE(SaveImageSetFile(unwritable, SampleSet()), "");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace klv
