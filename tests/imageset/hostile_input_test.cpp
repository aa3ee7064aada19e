// Files that must be refused: what the caller is told, and that the set it
// passed in keeps its content.

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "model/imageset/dxg_file.h"
#include "test_bytes.h"

namespace klv {
namespace {

using testing::Bytes;

ImageSet PreviousContent() {
    ImageSet set;
    set.Items.resize(2);
    set.Items[0].Name = "kept";
    set.Items[1].Name = "also kept";
    return set;
}

void ExpectUntouched(const ImageSet& set) {
    ASSERT_EQ(set.Items.size(), 2u);
    EXPECT_EQ(set.Items[0].Name, "kept");
    EXPECT_EQ(set.Items[1].Name, "also kept");
}

std::string Refused(const Bytes& file) {
    ImageSet set = PreviousContent();
    const auto result = ParseImageSet(file.data(), file.size(), set);
    EXPECT_FALSE(result.Ok);
    EXPECT_FALSE(result.Error.empty());
    ExpectUntouched(set);
    return result.Error;
}

Bytes PictureItem(const Bytes& packedDib) {
    Bytes props;
    testing::Property(props, "Name", testing::StringValue("img"));
    testing::Property(props, "Picture.Data", testing::BinaryValue(testing::TdibData(packedDib)));
    return testing::Item(props);
}

// A small valid file with two pictures (8 and 24 bits) and every property.
Bytes SmallValidFile() {
    ImageSet set;
    for (int i = 0; i < 2; ++i) {
        ImageItem item;
        item.Name = "image " + std::to_string(i);
        item.PatternWidth = 2;
        item.SkipHeight = 1;
        item.TransparentColor = 0xFF00FF;
        item.Picture.IsBitmap = true;
        item.Picture.GraphicClass = "TDIB";
        item.Picture.Width = 3;
        item.Picture.Height = 2;
        for (std::uint32_t p = 0; p < 6; ++p) item.Picture.Pixels.push_back(i == 0 ? p * 40 : p * 0x0A0B0C + 7 * p * p);
        set.Items.push_back(item);
    }
    // More than 256 colours for the second picture, so it goes out at 24 bits.
    set.Items[1].Picture.Width = 20;
    set.Items[1].Picture.Height = 15;
    set.Items[1].Picture.Pixels.clear();
    for (std::uint32_t p = 0; p < 300; ++p) set.Items[1].Picture.Pixels.push_back(p * 0x010203);
    return SerializeImageSet(set);
}

TEST(HostileInput, CannotOpenFileNamesTheFullPath) {
    const std::string missing = (std::filesystem::temp_directory_path() / "klv-no-such-folder" / "land.dxg").string();
    const std::string folder = std::filesystem::temp_directory_path().string();
    for (const std::string& path : {missing, folder}) {
        ImageSet set = PreviousContent();
        const auto result = LoadImageSetFile(path, set);
        EXPECT_FALSE(result.Ok);
        EXPECT_EQ(result.Error, "Cannot open file " + path);
        ExpectUntouched(set);
    }
}

TEST(HostileInput, HeaderOtherThanTypeTenIsInvalidStreamFormat) {
    const Bytes stream = testing::Stream({});
    const std::vector<Bytes> cases = {
        {},
        {0xFF},
        {0xFF, 10},
        {0x00, 10, 0},
        {0xFE, 10, 0},
        testing::Resource(stream, 11),
        testing::Resource(stream, 0x0A01),
        {'T', 'P', 'F', '0'},
    };
    for (const Bytes& file : cases) EXPECT_EQ(Refused(file), "Invalid stream format");
}

TEST(HostileInput, EveryTruncationIsACleanError) {
    const Bytes file = SmallValidFile();
    {
        ImageSet set;
        ASSERT_TRUE(ParseImageSet(file.data(), file.size(), set).Ok);
        ASSERT_EQ(set.Items.size(), 2u);
    }
    for (std::size_t length = 0; length < file.size(); ++length) {
        SCOPED_TRACE(length);
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        const std::string error = Refused(cut);
        if (length >= 3) {
            EXPECT_EQ(error.rfind("Image set is damaged: ", 0), 0u) << error;
        }
    }
}

// A truncated stream whose header still announces the right size: the reader
// says where the bytes ran out.
TEST(HostileInput, DamageIsDescribed) {
    Bytes stream = testing::Stream({PictureItem(testing::InfoHeader({}))});
    stream.resize(stream.size() - 8);  // inside Picture.Data's bytes
    const std::string error = Refused(testing::Resource(stream));
    EXPECT_EQ(error, "Image set is damaged: stream ends inside property 'Picture.Data'");

    Bytes unknownType = testing::ImageSetFile({testing::Item(Bytes{5, 'W', 'h', 'a', 't', '?', 21})});
    EXPECT_NE(Refused(unknownType).find("unknown value type 21"), std::string::npos);

    Bytes badSignature = testing::Resource(testing::Stream({}));
    badSignature[badSignature.size() - testing::Stream({}).size()] = 'X';
    EXPECT_NE(Refused(badSignature).find("TPF0"), std::string::npos);

    Bytes sizeTooLarge = testing::ImageSetFile({});
    sizeTooLarge[sizeTooLarge.size() - testing::Stream({}).size() - 4] += 1;
    EXPECT_NE(Refused(sizeTooLarge).find("announces"), std::string::npos);
}

TEST(HostileInput, DeepNestingIsRefusedNotRecursedInto) {
    Bytes value(100000, 1);  // lists within lists
    Bytes props;
    testing::Property(props, "Deep", value);
    EXPECT_NE(Refused(testing::ImageSetFile({testing::Item(props)})).find("nested"), std::string::npos);
}

TEST(HostileInput, HostileBitmapHeadersAreRefusedBeforeAllocating) {
    const auto header = [](std::int32_t w, std::int32_t h, std::uint16_t bits, std::uint32_t compression = 0,
                           std::uint32_t clrUsed = 0, std::uint32_t sizeImage = 0) {
        testing::InfoHeaderFields f;
        f.width = w;
        f.height = h;
        f.bitCount = bits;
        f.compression = compression;
        f.clrUsed = clrUsed;
        f.sizeImage = sizeImage;
        return testing::InfoHeader(f);
    };
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"wider than 16384", header(100000, 1, 24)},
        {"taller than 16384", header(1, 16385, 24)},
        {"more than 64 MiB of pixels", header(16384, 16384, 8, 1, 0, 4)},
        {"negative width", header(-5, 5, 24)},
        {"most negative height", header(5, INT32_MIN, 24)},
        {"bits not present", header(100, 100, 24)},
        {"bit count 7", header(2, 2, 7)},
        {"JPEG compression", header(2, 2, 24, 4)},
        {"RLE8 at 24 bits", header(2, 2, 24, 1)},
        {"huge colour table", header(2, 2, 8, 0, 0x7FFFFFFF)},
        {"colour table not present", header(2, 2, 8, 0, 200)},
        {"RLE codes not present", header(2, 2, 8, 1, 0, 1000000)},
        {"header size 39", Bytes{39, 0, 0, 0, 1, 0, 0, 0}},
        {"header size beyond the data", Bytes{0, 0, 1, 0, 1, 0, 0, 0}},
        {"header cut short", Bytes{40, 0, 0, 0, 1, 0}},
    };
    for (const auto& [label, dib] : cases) {
        SCOPED_TRACE(label);
        const std::string error = Refused(testing::ImageSetFile({PictureItem(dib)}));
        EXPECT_NE(error.find("the picture of image 0 (TDIB): "), std::string::npos) << error;
    }
    // A BMP file whose pixel bits are said to lie beyond it.
    Bytes bmp = testing::BmpFile(header(1, 1, 24), 0x7FFFFFF0);
    Bytes props;
    testing::Property(props, "Picture.Data", testing::BinaryValue(testing::TbitmapData(bmp)));
    Refused(testing::ImageSetFile({testing::Item(props)}));
    // A TBitmap whose length claims more than the property holds.
    Bytes shortBitmap;
    testing::ShortString(shortBitmap, "TBitmap");
    testing::Append(shortBitmap, Bytes{0xFF, 0xFF, 0, 0, 'B', 'M'});
    Bytes props2;
    testing::Property(props2, "Picture.Data", testing::BinaryValue(shortBitmap));
    Refused(testing::ImageSetFile({testing::Item(props2)}));
}

TEST(HostileInput, AFailedLoadKeepsTheSetAndAGoodOneReplacesIt) {
    const auto folder = std::filesystem::temp_directory_path() / ("klv-imageset-load-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto damaged = (folder / "damaged.dxg").string();
    const auto good = (folder / "good.dxg").string();
    Bytes file = SmallValidFile();
    {
        std::ofstream(damaged, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size() - 10));
        std::ofstream(good, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }
    ImageSet set = PreviousContent();
    EXPECT_FALSE(LoadImageSetFile(damaged, set).Ok);
    ExpectUntouched(set);
    EXPECT_TRUE(LoadImageSetFile(good, set).Ok);
    ASSERT_EQ(set.Items.size(), 2u);
    EXPECT_EQ(set.Items[0].Name, "image 0");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace klv
