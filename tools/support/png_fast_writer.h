#pragma once
// A PNG writer for very large 8-bit RGB pictures, built for speed: rows are
// produced on demand (no whole-picture RGB copy), filtered, and deflated in
// independent strips on several threads whose outputs join into one valid
// zlib stream (the checksum combined from the strips' checksums).

#include <cstdint>
#include <functional>
#include <string>

namespace klv {

enum class PngRowFilter { None, Sub };
enum class PngDeflateStrategy { Default, Filtered, Rle };

struct PngFastSettings {
    int Level = 1;  // zlib level 1..9
    PngRowFilter Filter = PngRowFilter::None;
    PngDeflateStrategy Strategy = PngDeflateStrategy::Default;
    int Threads = 2;  // strips deflated at once; 1 deflates on the calling thread
};

// Fills `rgb` with row y (width * 3 bytes, R G B per pixel). Called once per
// row, possibly from several threads at once for different rows.
using PngRowSource = std::function<void(std::int32_t y, std::uint8_t* rgb)>;

// Writes the picture to `path` (through a temporary file in the same folder,
// so a failed write leaves no half file); returns an empty string or the reason.
std::string WritePngFast(const std::string& path, std::int32_t width, std::int32_t height, const PngRowSource& rows,
                         const PngFastSettings& settings = {});

// The same with a row source of its own for every strip, made on the thread
// that deflates the strip and asked for the strip's rows in ascending order:
// a source may keep state, such as a band of rows it produced in one go.
using PngRowSourceFactory = std::function<PngRowSource()>;
std::string WritePngFastStrips(const std::string& path, std::int32_t width, std::int32_t height, const PngRowSourceFactory& makeRows,
                               const PngFastSettings& settings = {});

// Widens one row of 5-6-5 pixels to R G B bytes, each channel's top bits repeated.
void WidenRow565(const std::uint16_t* pixels, std::size_t count, std::uint8_t* rgb);

// The same for 16-bit 5-6-5 pixels (row-major, width * height), each channel
// widened to 8 bits by repeating its top bits.
std::string WritePng565(const std::string& path, std::int32_t width, std::int32_t height, const std::uint16_t* pixels,
                        const PngFastSettings& settings = {});

}  // namespace klv
