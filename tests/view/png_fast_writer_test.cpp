// The fast PNG writer: what libpng reads back is exactly what was written,
// for every strip count and setting; a failed write leaves no file.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "tools/support/png_fast_writer.h"
#include "tools/support/png_io.h"
#include "view/surface565.h"

namespace klv {
namespace {

namespace fs = std::filesystem;

fs::path TempFile(const std::string& name) { return fs::temp_directory_path() / ("klv_png_" + std::to_string(::getpid()) + "_" + name); }

TEST(PngFastWriter, LibpngReadsBackExactlyTheWidenedPixels) {
    std::mt19937 rng(3);
    const std::pair<int, int> sizes[] = {{1, 1}, {7, 5}, {300, 97}, {1000, 3}, {2, 40}};
    PngFastSettings variants[] = {{}, {1, PngRowFilter::Sub, PngDeflateStrategy::Rle, 2}, {6, PngRowFilter::Sub, PngDeflateStrategy::Default, 3},
                                  {1, PngRowFilter::None, PngDeflateStrategy::Filtered, 1}, {1, PngRowFilter::None, PngDeflateStrategy::Rle, 16}};
    for (auto [w, h] : sizes) {
        std::vector<std::uint16_t> pixels(static_cast<std::size_t>(w * h));
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = (i / 9) % 4 == 0 ? 0 : static_cast<std::uint16_t>(rng());  // runs and noise
        for (const PngFastSettings& settings : variants) {
            const fs::path path = TempFile("roundtrip.png");
            ASSERT_EQ(WritePng565(path.string(), w, h, pixels.data(), settings), "");
            RgbImage read;
            ASSERT_EQ(ReadPng(path.string(), read), "");
            ASSERT_EQ(read.Width, w);
            ASSERT_EQ(read.Height, h);
            for (std::size_t i = 0; i < pixels.size(); ++i) {
                const std::uint32_t rgb = RgbFromRgb565(pixels[i]);
                ASSERT_EQ(read.Bytes[3 * i], rgb >> 16 & 0xFF) << w << "x" << h << " threads " << settings.Threads;
                ASSERT_EQ(read.Bytes[3 * i + 1], rgb >> 8 & 0xFF);
                ASSERT_EQ(read.Bytes[3 * i + 2], rgb & 0xFF);
            }
            fs::remove(path);
        }
    }
}

TEST(PngFastWriter, RefusesEmptyPicturesAndReportsUnwritablePaths) {
    const std::uint16_t pixel = 0xFFFF;
    EXPECT_NE(WritePng565(TempFile("empty.png").string(), 0, 5, &pixel), "");
    EXPECT_FALSE(fs::exists(TempFile("empty.png")));
    const fs::path missingFolder = TempFile("no_such_folder") / "out.png";
    const std::string error = WritePng565(missingFolder.string(), 1, 1, &pixel);
    EXPECT_NE(error.find(missingFolder.string()), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(missingFolder.parent_path()));
}

}  // namespace
}  // namespace klv
