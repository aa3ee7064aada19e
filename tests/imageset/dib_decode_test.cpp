// Windows bitmaps of every bit count, header kind, row order and compression
// the reader accepts, built byte by byte.

#include <array>

#include <gtest/gtest.h>

#include "model/imageset/dib_decode.h"
#include "model/imageset/dxg_file.h"
#include "test_bytes.h"

namespace klv {
namespace {

using testing::Bytes;

// Packs one value per pixel into rows of `bits` each, padded to 4 bytes, in
// stored order (bottom-up unless topDown).
Bytes PackRows(const std::vector<std::vector<std::uint32_t>>& rowsTopDown, int bits, bool topDown) {
    Bytes out;
    for (std::size_t r = 0; r < rowsTopDown.size(); ++r) {
        const auto& row = rowsTopDown[topDown ? r : rowsTopDown.size() - 1 - r];
        Bytes packed;
        std::uint32_t acc = 0;
        int filled = 0;
        for (const std::uint32_t v : row) {
            if (bits >= 8) {
                for (int b = 0; b < bits / 8; ++b) packed.push_back(static_cast<std::uint8_t>(v >> (8 * b)));
                continue;
            }
            acc = (acc << bits) | v;
            filled += bits;
            if (filled == 8) {
                packed.push_back(static_cast<std::uint8_t>(acc));
                acc = 0;
                filled = 0;
            }
        }
        if (filled > 0) packed.push_back(static_cast<std::uint8_t>(acc << (8 - filled)));
        while (packed.size() % 4 != 0) packed.push_back(0);
        testing::Append(out, packed);
    }
    return out;
}

struct DepthCase {
    const char* label;
    std::uint16_t bits;
    std::uint32_t compression;
    std::uint32_t headerSize;
    std::array<std::uint32_t, 3> masks;
    std::uint32_t clrUsed;
    Bytes palette;
    std::vector<std::vector<std::uint32_t>> values;    // stored per pixel, top-down
    std::vector<std::vector<std::uint32_t>> expected;  // 0x00RRGGBB, top-down
};

std::vector<DepthCase> DepthCases() {
    Bytes palette256;
    for (std::uint32_t i = 0; i < 256; ++i) testing::Append(palette256, testing::Palette({(i << 16) | ((255 - i) << 8) | (i / 2)}));
    const auto p256 = [](std::uint32_t i) { return (i << 16) | ((255 - i) << 8) | (i / 2); };
    return {
        {"1 bit", 1, 0, 40, {}, 0, testing::Palette({0x102030, 0xF0E0D0}), {{1, 0, 1}, {0, 1, 1}},
         {{0xF0E0D0, 0x102030, 0xF0E0D0}, {0x102030, 0xF0E0D0, 0xF0E0D0}}},
        {"4 bits, 3 colours used", 4, 0, 40, {}, 3, testing::Palette({0xFF0000, 0x00FF00, 0x0000FF}), {{0, 1, 2}, {2, 1, 0}},
         {{0xFF0000, 0x00FF00, 0x0000FF}, {0x0000FF, 0x00FF00, 0xFF0000}}},
        {"8 bits, full table", 8, 0, 40, {}, 0, palette256, {{0, 200, 255}, {1, 2, 3}},
         {{p256(0), p256(200), p256(255)}, {p256(1), p256(2), p256(3)}}},
        {"16 bits 5-5-5", 16, 0, 40, {}, 0, {}, {{0x7C00, 0x03E0, 0x001F}, {0x7FFF, 0x0000, 0x4210}},
         {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0x000000, 0x848484}}},
        {"16 bits 5-6-5 bitfields", 16, 3, 40, {0xF800, 0x07E0, 0x001F}, 0, {}, {{0xF800, 0x07E0, 0x001F}, {0xFFFF, 0x0000, 0x8410}},
         {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0x000000, 0x848284}}},
        {"24 bits", 24, 0, 40, {}, 0, {}, {{0x123456, 0xABCDEF, 0x000001}, {0xFFFFFF, 0x808080, 0x010000}},
         {{0x123456, 0xABCDEF, 0x000001}, {0xFFFFFF, 0x808080, 0x010000}}},
        {"32 bits", 32, 0, 40, {}, 0, {}, {{0xFF123456, 0x00ABCDEF, 0x7F000001}, {0x00FFFFFF, 0x00808080, 0x00010000}},
         {{0x123456, 0xABCDEF, 0x000001}, {0xFFFFFF, 0x808080, 0x010000}}},
        {"32 bits, bitfields in a 108-byte header", 32, 3, 108, {0xFF000000, 0x00FF0000, 0x0000FF00}, 0, {},
         {{0x12345600, 0xABCDEF00, 0x00000100}, {0xFFFFFF00, 0x80808000, 0x01000000}},
         {{0x123456, 0xABCDEF, 0x000001}, {0xFFFFFF, 0x808080, 0x010000}}},
    };
}

void ExpectPixels(const Picture& picture, const std::vector<std::vector<std::uint32_t>>& expected) {
    ASSERT_EQ(picture.Height, static_cast<std::int32_t>(expected.size()));
    ASSERT_EQ(picture.Width, static_cast<std::int32_t>(expected[0].size()));
    for (std::size_t y = 0; y < expected.size(); ++y)
        for (std::size_t x = 0; x < expected[y].size(); ++x)
            EXPECT_EQ(picture.At(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)), expected[y][x])
                << "pixel " << x << "," << y;
}

TEST(DibDecode, EveryBitCountBothRowOrders) {
    for (const DepthCase& c : DepthCases()) {
        for (const bool topDown : {false, true}) {
            SCOPED_TRACE(std::string(c.label) + (topDown ? ", top-down" : ", bottom-up"));
            testing::InfoHeaderFields f;
            f.width = 3;
            f.height = topDown ? -2 : 2;
            f.bitCount = c.bits;
            f.compression = c.compression;
            f.clrUsed = c.clrUsed;
            f.headerSize = c.headerSize;
            for (int i = 0; i < 3; ++i) f.masks[i] = c.masks[static_cast<std::size_t>(i)];
            Bytes dib = testing::InfoHeader(f);
            if (c.compression == 3 && c.headerSize == 40)
                for (const std::uint32_t m : c.masks) {
                    ByteWriter w(dib);
                    w.U32(m);
                }
            testing::Append(dib, c.palette);
            const auto bitsOffset = static_cast<std::uint32_t>(dib.size());
            testing::Append(dib, PackRows(c.values, c.bits, topDown));

            Picture packed;
            ASSERT_EQ(dxg::DecodePackedDib(dib.data(), dib.size(), packed), "");
            EXPECT_EQ(packed.BitCount, c.bits);
            ExpectPixels(packed, c.expected);

            // The same bits as a BMP file, inside a TBitmap picture of an image-set file.
            const Bytes file = testing::ImageSetFile({testing::Item([&] {
                Bytes p;
                testing::Property(p, "Picture.Data", testing::BinaryValue(testing::TbitmapData(testing::BmpFile(dib, bitsOffset))));
                return p;
            }())});
            ImageSet set;
            const auto result = ParseImageSet(file.data(), file.size(), set);
            ASSERT_TRUE(result.Ok) << result.Error;
            ASSERT_EQ(set.Items.size(), 1u);
            EXPECT_EQ(set.Items[0].Picture.GraphicClass, "TBitmap");
            ExpectPixels(set.Items[0].Picture, c.expected);
        }
    }
}

TEST(DibDecode, CoreHeaderHasThreeByteColours) {
    Bytes dib = testing::CoreHeader(2, 1, 1);
    testing::Append(dib, testing::Palette({0x0000FF, 0xFFFF00}, true));
    testing::Append(dib, Bytes{0x40, 0, 0, 0});  // pixels 0, 1
    Picture picture;
    ASSERT_EQ(dxg::DecodePackedDib(dib.data(), dib.size(), picture), "");
    ExpectPixels(picture, {{0x0000FF, 0xFFFF00}});

    Bytes dib24 = testing::CoreHeader(1, 2, 24);
    testing::Append(dib24, Bytes{0x03, 0x02, 0x01, 0, 0x06, 0x05, 0x04, 0});
    ASSERT_EQ(dxg::DecodePackedDib(dib24.data(), dib24.size(), picture), "");
    ExpectPixels(picture, {{0x040506}, {0x010203}});
}

Bytes GreyPalette() {
    Bytes palette;
    for (std::uint32_t i = 0; i < 16; ++i) testing::Append(palette, testing::Palette({i * 0x101010}));
    return palette;
}

Picture DecodeRle(std::int32_t width, std::int32_t height, std::uint16_t bits, const Bytes& codes, std::string* error = nullptr) {
    testing::InfoHeaderFields f;
    f.width = width;
    f.height = height;
    f.bitCount = bits;
    f.compression = bits == 8 ? 1 : 2;
    f.sizeImage = static_cast<std::uint32_t>(codes.size());
    f.clrUsed = 16;
    Bytes dib = testing::InfoHeader(f);
    testing::Append(dib, GreyPalette());
    testing::Append(dib, codes);
    Picture picture;
    const std::string e = dxg::DecodePackedDib(dib.data(), dib.size(), picture);
    if (error) {
        *error = e;
    } else {
        EXPECT_EQ(e, "");
    }
    return picture;
}

std::uint32_t Grey(std::uint32_t i) { return i * 0x101010; }

TEST(DibDecode, Rle8RunsLiteralsEndOfLineAndMoves) {
    const Bytes codes = {0x03, 0x05, 0x00, 0x00,                    // bottom row: three of 5
                         0x00, 0x03, 0x01, 0x02, 0x03, 0x00,        // literal 1 2 3, padded
                         0x01, 0x07, 0x00, 0x00,                    // one 7, end of line
                         0x00, 0x02, 0x01, 0x00, 0x02, 0x09,        // move right 1, two 9s
                         0x00, 0x01};                               // end of bitmap
    const Picture picture = DecodeRle(4, 3, 8, codes);
    ExpectPixels(picture, {{Grey(0), Grey(9), Grey(9), Grey(0)},
                           {Grey(1), Grey(2), Grey(3), Grey(7)},
                           {Grey(5), Grey(5), Grey(5), Grey(0)}});
}

TEST(DibDecode, Rle4AlternatesNibbles) {
    const Bytes codes = {0x05, 0x12, 0x00, 0x00,        // bottom row: 1 2 1 2 1
                         0x00, 0x03, 0x34, 0x50,        // literal 3 4 5
                         0x02, 0x67, 0x00, 0x01};       // 6 7, end
    const Picture picture = DecodeRle(5, 2, 4, codes);
    ExpectPixels(picture, {{Grey(3), Grey(4), Grey(5), Grey(6), Grey(7)},
                           {Grey(1), Grey(2), Grey(1), Grey(2), Grey(1)}});
}

// Codes that claim more than the picture holds write nothing outside it.
TEST(DibDecode, RleNeverWritesOutsideThePicture) {
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"run past the row end", {0xFF, 0x03, 0xFF, 0x04, 0x00, 0x01}},
        {"literal past the row end", {0x00, 0x06, 1, 2, 3, 4, 5, 6, 0x00, 0x01}},
        {"move far outside", {0x00, 0x02, 0xFF, 0xFF, 0x05, 0x01, 0x00, 0x01}},
        {"rows past the top", {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x01, 0x00, 0x01}},
        {"no end of bitmap", {0x02, 0x01}},
        {"odd trailing byte", {0x02, 0x01, 0x05}},
        {"literal longer than the codes", {0x00, 0xFE, 1, 2}},
    };
    for (const auto& [label, codes] : cases) {
        SCOPED_TRACE(label);
        for (const std::uint16_t bits : {std::uint16_t{8}, std::uint16_t{4}}) {
            std::string error;
            const Picture picture = DecodeRle(2, 2, bits, codes, &error);
            if (error.empty()) {
                EXPECT_EQ(picture.Pixels.size(), 4u);
            }
        }
    }
}

TEST(DibDecode, IndexBeyondTheColourTableIsBlack) {
    testing::InfoHeaderFields f;
    f.width = 2;
    f.bitCount = 8;
    f.clrUsed = 1;
    Bytes dib = testing::InfoHeader(f);
    testing::Append(dib, testing::Palette({0xFFFFFF}));
    testing::Append(dib, Bytes{0, 9, 0, 0});
    Picture picture;
    ASSERT_EQ(dxg::DecodePackedDib(dib.data(), dib.size(), picture), "");
    ExpectPixels(picture, {{0xFFFFFF, 0x000000}});
}

}  // namespace
}  // namespace klv
