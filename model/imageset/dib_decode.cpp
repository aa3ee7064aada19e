#include "model/imageset/dib_decode.h"

#include <array>
#include <bit>
#include <vector>

#include "model/byte_io.h"

namespace klv::dxg {

namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;

struct DibHeader {
    std::uint32_t headerSize = 0;
    bool core = false;
    std::int32_t width = 0;
    std::int32_t height = 0;  // always positive here; topDown holds the sign
    bool topDown = false;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t sizeImage = 0;
    std::uint32_t clrUsed = 0;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue
};

// One colour channel of a bitfields mask, scaled to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        max = m >> shift;
        // A mask with holes is read as its lowest run of ones.
        const int ones = std::countr_one(max);
        max = ones >= 32 ? 0xFFFFFFFFu : ((1u << ones) - 1);
    }
    std::uint32_t Get(std::uint32_t v) const {
        if (max == 0) return 0;
        const std::uint64_t c = (v >> shift) & max;
        return static_cast<std::uint32_t>((c * 255 + max / 2) / max);
    }
};

std::string ReadHeader(ByteReader& in, DibHeader& h) {
    if (!in.U32(h.headerSize)) return "the bitmap header is cut off";
    if (h.headerSize == 12) {
        std::uint16_t w = 0, hh = 0, planes = 0;
        if (!in.U16(w) || !in.U16(hh) || !in.U16(planes) || !in.U16(h.bitCount)) return "the bitmap header is cut off";
        h.core = true;
        h.width = w;
        h.height = hh;
        return {};
    }
    if (h.headerSize < 40 || h.headerSize > 1024)
        return "the bitmap header has an unknown size (" + std::to_string(h.headerSize) + ")";
    if (h.headerSize > in.Remaining() + 4) return "the bitmap header is cut off";
    std::uint16_t planes = 0;
    std::uint32_t xppm = 0, yppm = 0, important = 0;
    std::int32_t height = 0;
    if (!in.I32(h.width) || !in.I32(height) || !in.U16(planes) || !in.U16(h.bitCount) || !in.U32(h.compression) ||
        !in.U32(h.sizeImage) || !in.U32(xppm) || !in.U32(yppm) || !in.U32(h.clrUsed) || !in.U32(important))
        return "the bitmap header is cut off";
    if (height == INT32_MIN) return "the bitmap height is out of range";
    h.topDown = height < 0;
    h.height = height < 0 ? -height : height;
    if (h.headerSize >= 52) {
        // Later header versions carry the masks themselves.
        if (!in.U32(h.masks[0]) || !in.U32(h.masks[1]) || !in.U32(h.masks[2])) return "the bitmap header is cut off";
        if (!in.Skip(h.headerSize - 52)) return "the bitmap header is cut off";
    } else if (!in.Skip(h.headerSize - 40)) {
        return "the bitmap header is cut off";
    }
    return {};
}

std::string CheckHeader(const DibHeader& h) {
    switch (h.bitCount) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default: return "the bitmap has an unsupported bit count (" + std::to_string(h.bitCount) + ")";
    }
    const bool compressionFits = h.compression == kRgb || (h.compression == kRle8 && h.bitCount == 8) ||
                                 (h.compression == kRle4 && h.bitCount == 4) ||
                                 (h.compression == kBitfields && (h.bitCount == 16 || h.bitCount == 32));
    if (!compressionFits)
        return "the bitmap has an unsupported compression (" + std::to_string(h.compression) + " at " +
               std::to_string(h.bitCount) + " bits)";
    if (h.width < 0) return "the bitmap width is negative";
    if (h.width > kMaxPictureSide || h.height > kMaxPictureSide ||
        static_cast<std::int64_t>(h.width) * h.height * 4 > kMaxPictureBytes)
        return "the bitmap is too large (" + std::to_string(h.width) + " x " + std::to_string(h.height) + ")";
    if (h.clrUsed > 65536) return "the bitmap's colour table is too large";
    return {};
}

// Reads masks after a 40-byte header and the colour table.
std::string ReadTables(ByteReader& in, DibHeader& h, std::vector<std::uint32_t>& palette) {
    if (h.compression == kBitfields && h.headerSize == 40) {
        if (!in.U32(h.masks[0]) || !in.U32(h.masks[1]) || !in.U32(h.masks[2])) return "the bitmap's colour masks are cut off";
    } else if (h.compression != kBitfields) {
        if (h.bitCount == 16) h.masks = {0x7C00, 0x03E0, 0x001F};
        if (h.bitCount == 32) h.masks = {0xFF0000, 0x00FF00, 0x0000FF};
    }
    std::uint32_t entries = h.clrUsed;
    if (h.bitCount <= 8 && (entries == 0 || h.core)) entries = 1u << h.bitCount;
    const std::size_t entrySize = h.core ? 3 : 4;
    if (entries > in.Remaining() / entrySize) return "the bitmap's colour table is cut off";
    palette.assign(256, 0);
    for (std::uint32_t i = 0; i < entries; ++i) {
        std::uint8_t b = 0, g = 0, r = 0;
        in.U8(b);
        in.U8(g);
        in.U8(r);
        if (!h.core) in.Skip(1);
        if (i < palette.size()) palette[i] = (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
    }
    return {};
}

std::size_t RowBytes(const DibHeader& h) {
    return ((static_cast<std::size_t>(h.width) * h.bitCount + 31) / 32) * 4;
}

std::string DecodePlain(const DibHeader& h, const std::vector<std::uint32_t>& palette, const std::uint8_t* bits,
                        std::size_t available, std::vector<std::uint32_t>& pixels) {
    const std::size_t stride = RowBytes(h);
    if (stride != 0 && static_cast<std::size_t>(h.height) > available / stride) return "the bitmap's pixel bits are cut off";
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    const auto width = static_cast<std::size_t>(h.width);
    for (std::int32_t row = 0; row < h.height; ++row) {
        const std::uint8_t* src = bits + static_cast<std::size_t>(row) * stride;
        const std::int32_t y = h.topDown ? row : h.height - 1 - row;
        std::uint32_t* dst = pixels.data() + static_cast<std::size_t>(y) * width;
        // One loop per bit count, so the inner loops stay simple.
        switch (h.bitCount) {
            case 1:
                for (std::size_t x = 0; x < width; ++x) dst[x] = palette[(src[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                for (std::size_t x = 0; x < width; ++x) dst[x] = palette[(src[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF];
                break;
            case 8:
                for (std::size_t x = 0; x < width; ++x) dst[x] = palette[src[x]];
                break;
            case 24:
                for (std::size_t x = 0; x < width; ++x)
                    dst[x] = (std::uint32_t{src[3 * x + 2]} << 16) | (std::uint32_t{src[3 * x + 1]} << 8) | src[3 * x];
                break;
            case 16:
                for (std::size_t x = 0; x < width; ++x) {
                    const auto v = static_cast<std::uint32_t>(src[2 * x] | (src[2 * x + 1] << 8));
                    dst[x] = (red.Get(v) << 16) | (green.Get(v) << 8) | blue.Get(v);
                }
                break;
            case 32:
                for (std::size_t x = 0; x < width; ++x) {
                    const std::uint32_t v = static_cast<std::uint32_t>(src[4 * x]) | (static_cast<std::uint32_t>(src[4 * x + 1]) << 8) |
                                            (static_cast<std::uint32_t>(src[4 * x + 2]) << 16) |
                                            (static_cast<std::uint32_t>(src[4 * x + 3]) << 24);
                    dst[x] = (red.Get(v) << 16) | (green.Get(v) << 8) | blue.Get(v);
                }
                break;
            default: break;
        }
    }
    return {};
}

// Run-length codes write only inside the picture: runs, literals and moves
// that leave it are dropped, whatever the codes claim.
std::string DecodeRle(const DibHeader& h, const std::vector<std::uint32_t>& palette, const std::uint8_t* codes,
                      std::size_t available, std::vector<std::uint32_t>& pixels) {
    std::size_t n = available;
    if (h.sizeImage != 0) {
        if (h.sizeImage > available) return "the bitmap's run-length codes are cut off";
        n = h.sizeImage;
    }
    const bool four = h.compression == kRle4;
    std::int64_t x = 0, y = 0;  // y counts rows in stored order
    auto put = [&](std::uint32_t index) {
        if (x < h.width && y < h.height) {
            const std::int64_t row = h.topDown ? y : h.height - 1 - y;
            pixels[static_cast<std::size_t>(row * h.width + x)] = palette[index & 0xFF];
        }
        ++x;
    };
    std::size_t pos = 0;
    while (pos + 1 < n && y < h.height) {
        const std::uint8_t count = codes[pos];
        const std::uint8_t value = codes[pos + 1];
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count && x < h.width; ++i) put(four ? ((i % 2 == 0) ? value >> 4 : value & 0xF) : value);
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (pos + 2 > n) return "the bitmap's run-length codes are cut off";
            x += codes[pos];
            y += codes[pos + 1];
            pos += 2;
        } else {
            const std::size_t bytes = four ? (value + 1u) / 2 : value;
            const std::size_t padded = bytes + (bytes % 2);
            if (pos + bytes > n) return "the bitmap's run-length codes are cut off";
            for (int i = 0; i < value; ++i) {
                const std::uint8_t b = codes[pos + (four ? static_cast<std::size_t>(i / 2) : static_cast<std::size_t>(i))];
                put(four ? ((i % 2 == 0) ? b >> 4 : b & 0xF) : b);
            }
            pos += padded > n - pos ? n - pos : padded;
        }
    }
    return {};
}

std::string Decode(ByteReader& in, const std::uint8_t* base, std::size_t size, std::int64_t bitsOffset, Picture& picture) {
    DibHeader h;
    std::string error = ReadHeader(in, h);
    if (error.empty()) error = CheckHeader(h);
    std::vector<std::uint32_t> palette;
    if (error.empty()) error = ReadTables(in, h, palette);
    if (!error.empty()) return error;
    if (bitsOffset < 0) bitsOffset = static_cast<std::int64_t>(in.Position());
    if (static_cast<std::uint64_t>(bitsOffset) > size) return "the bitmap's pixel bits lie outside the data";
    const std::uint8_t* bits = base + bitsOffset;
    const std::size_t available = size - static_cast<std::size_t>(bitsOffset);

    Picture result;
    result.GraphicClass = picture.GraphicClass;
    result.IsBitmap = true;
    result.BitCount = h.bitCount;
    if (h.width == 0 || h.height == 0) {
        picture = std::move(result);
        return {};
    }
    // Before allocating: plain bits must all be present; RLE output is bounded above.
    if (h.compression == kRgb || h.compression == kBitfields) {
        const std::size_t stride = RowBytes(h);
        if (static_cast<std::size_t>(h.height) > available / stride) return "the bitmap's pixel bits are cut off";
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(h.width) * static_cast<std::size_t>(h.height), 0);
    error = (h.compression == kRle8 || h.compression == kRle4) ? DecodeRle(h, palette, bits, available, pixels)
                                                              : DecodePlain(h, palette, bits, available, pixels);
    if (!error.empty()) return error;
    result.Width = h.width;
    result.Height = h.height;
    result.Pixels = std::move(pixels);
    picture = std::move(result);
    return {};
}

}  // namespace

std::string DecodePackedDib(const std::uint8_t* data, std::size_t size, Picture& picture) {
    ByteReader in(data, size);
    return Decode(in, data, size, -1, picture);
}

std::string DecodeBmpFile(const std::uint8_t* data, std::size_t size, Picture& picture) {
    ByteReader in(data, size);
    std::uint8_t b = 0, m = 0;
    std::uint32_t fileSize = 0, reserved = 0, offBits = 0;
    if (!in.U8(b) || !in.U8(m) || !in.U32(fileSize) || !in.U32(reserved) || !in.U32(offBits))
        return "the bitmap file header is cut off";
    if (b != 'B' || m != 'M') return "the bitmap file does not start with \"BM\"";
    return Decode(in, data, size, offBits, picture);
}

}  // namespace klv::dxg
