#include "model/imageset/dib_encode.h"

#include <algorithm>
#include <unordered_map>

#include "model/byte_io.h"

namespace klv::dxg {

namespace {

// The distinct colours of the picture, sorted, or empty when there are more than 256.
std::vector<std::uint32_t> SmallPalette(const std::vector<std::uint32_t>& pixels) {
    std::vector<std::uint32_t> colours;
    std::uint32_t last = 0;
    bool haveLast = false;
    for (const std::uint32_t p : pixels) {
        const std::uint32_t c = p & 0xFFFFFF;
        if (haveLast && c == last) continue;
        last = c;
        haveLast = true;
        if (std::find(colours.begin(), colours.end(), c) != colours.end()) continue;
        if (colours.size() == 256) return {};
        colours.push_back(c);
    }
    std::sort(colours.begin(), colours.end());
    return colours;
}

void InfoHeader(ByteWriter& out, const Picture& picture, std::uint16_t bits, std::uint32_t sizeImage, std::uint32_t colours) {
    out.U32(40);
    out.I32(picture.Width);
    out.I32(picture.Height);  // positive: bottom-up
    out.U16(1);
    out.U16(bits);
    out.U32(0);  // no compression
    out.U32(sizeImage);
    out.U32(2835);  // 72 dpi
    out.U32(2835);
    out.U32(colours);
    out.U32(0);
}

}  // namespace

std::vector<std::uint8_t> EncodePackedDib(const Picture& picture) {
    std::vector<std::uint8_t> bytes;
    if (picture.Empty()) return bytes;
    ByteWriter out(bytes);
    const auto width = static_cast<std::size_t>(picture.Width);
    const auto height = static_cast<std::size_t>(picture.Height);
    const std::vector<std::uint32_t> palette = SmallPalette(picture.Pixels);
    if (!palette.empty()) {
        const std::size_t stride = (width + 3) / 4 * 4;
        bytes.reserve(40 + 1024 + stride * height);
        InfoHeader(out, picture, 8, static_cast<std::uint32_t>(stride * height), 256);
        for (std::size_t i = 0; i < 256; ++i) {
            const std::uint32_t c = i < palette.size() ? palette[i] : 0;
            out.U8(static_cast<std::uint8_t>(c));
            out.U8(static_cast<std::uint8_t>(c >> 8));
            out.U8(static_cast<std::uint8_t>(c >> 16));
            out.U8(0);
        }
        std::unordered_map<std::uint32_t, std::uint8_t> index;
        for (std::size_t i = 0; i < palette.size(); ++i) index[palette[i]] = static_cast<std::uint8_t>(i);
        for (std::size_t row = height; row-- > 0;) {
            for (std::size_t x = 0; x < width; ++x) out.U8(index[picture.Pixels[row * width + x] & 0xFFFFFF]);
            out.Zeros(stride - width);
        }
        return bytes;
    }
    const std::size_t stride = (width * 3 + 3) / 4 * 4;
    bytes.reserve(40 + stride * height);
    InfoHeader(out, picture, 24, static_cast<std::uint32_t>(stride * height), 0);
    for (std::size_t row = height; row-- > 0;) {
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t c = picture.Pixels[row * width + x];
            out.U8(static_cast<std::uint8_t>(c));
            out.U8(static_cast<std::uint8_t>(c >> 8));
            out.U8(static_cast<std::uint8_t>(c >> 16));
        }
        out.Zeros(stride - width * 3);
    }
    return bytes;
}

}  // namespace klv::dxg
