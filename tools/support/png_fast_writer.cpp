#include "tools/support/png_fast_writer.h"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <limits>
#include <system_error>
#include <thread>
#include <vector>

namespace klv {

namespace {

using Bytes = std::vector<std::uint8_t>;

int ZlibStrategy(PngDeflateStrategy strategy) {
    switch (strategy) {
        case PngDeflateStrategy::Filtered: return Z_FILTERED;
        case PngDeflateStrategy::Rle: return Z_RLE;
        default: return Z_DEFAULT_STRATEGY;
    }
}

// One band of rows deflated on its own: raw deflate data ending on a byte
// boundary (a sync flush) unless it is the last band, which ends the stream.
struct Strip {
    std::int32_t FirstRow = 0;
    std::int32_t EndRow = 0;
    bool Last = false;
    Bytes Deflated;
    uLong Adler = 1;
    std::uint64_t RawSize = 0;
    std::string Error;
};

// Feeds the pending input, collecting what deflate puts out.
bool Feed(z_stream& zs, Bytes& out, std::uint8_t* chunk, std::size_t chunkSize) {
    do {
        zs.next_out = chunk;
        zs.avail_out = static_cast<uInt>(chunkSize);
        if (deflate(&zs, Z_NO_FLUSH) == Z_STREAM_ERROR) return false;
        out.insert(out.end(), chunk, chunk + (chunkSize - zs.avail_out));
    } while (zs.avail_out == 0);
    return true;
}

void DeflateStrip(Strip& strip, std::int32_t width, const PngRowSourceFactory& makeRows, const PngFastSettings& settings) {
    const PngRowSource rows = makeRows();
    z_stream zs{};
    if (deflateInit2(&zs, std::clamp(settings.Level, 1, 9), Z_DEFLATED, -15, 9, ZlibStrategy(settings.Strategy)) != Z_OK) {
        strip.Error = "cannot start the compressor";
        return;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    Bytes line(rowBytes + 1), filtered(rowBytes + 1);
    Bytes chunk(1 << 18);
    strip.Deflated.reserve(static_cast<std::size_t>(strip.EndRow - strip.FirstRow) * rowBytes / 8 + 1024);
    strip.Adler = adler32(0, nullptr, 0);
    bool ok = true;
    for (std::int32_t y = strip.FirstRow; y < strip.EndRow && ok; ++y) {
        rows(y, line.data() + 1);
        std::uint8_t* data = line.data();
        if (settings.Filter == PngRowFilter::Sub) {
            filtered[0] = 1;
            for (std::size_t i = 1; i <= rowBytes; ++i) filtered[i] = static_cast<std::uint8_t>(line[i] - (i > 3 ? line[i - 3] : 0));
            data = filtered.data();
        } else {
            line[0] = 0;
        }
        strip.Adler = adler32(strip.Adler, data, static_cast<uInt>(rowBytes + 1));
        strip.RawSize += rowBytes + 1;
        zs.next_in = data;
        zs.avail_in = static_cast<uInt>(rowBytes + 1);
        ok = Feed(zs, strip.Deflated, chunk.data(), chunk.size());
    }
    if (ok) {
        // Finish: either the end of the stream or a byte-aligned join point.
        const int flush = strip.Last ? Z_FINISH : Z_SYNC_FLUSH;
        int rc = Z_OK;
        do {
            zs.next_out = chunk.data();
            zs.avail_out = static_cast<uInt>(chunk.size());
            rc = deflate(&zs, flush);
            strip.Deflated.insert(strip.Deflated.end(), chunk.data(), chunk.data() + (chunk.size() - zs.avail_out));
        } while (rc == Z_OK && zs.avail_out == 0);
        ok = strip.Last ? rc == Z_STREAM_END : (rc == Z_OK || rc == Z_BUF_ERROR);
    }
    if (!ok) strip.Error = "the compressor failed";
    deflateEnd(&zs);
}

void PutU32(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

class ChunkFile {
public:
    explicit ChunkFile(std::FILE* file) : file_(file) {}
    bool Raw(const void* data, std::size_t size) { return ok_ = ok_ && (size == 0 || std::fwrite(data, 1, size, file_) == size); }
    // One chunk whose data is the concatenation of `parts`.
    bool Chunk(const char type[4], std::initializer_list<std::pair<const std::uint8_t*, std::size_t>> parts) {
        std::size_t length = 0;
        for (const auto& part : parts) length += part.second;
        if (length > 0x7FFFFFFFu) return ok_ = false;
        Bytes head;
        PutU32(head, static_cast<std::uint32_t>(length));
        head.insert(head.end(), type, type + 4);
        uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
        Raw(head.data(), head.size());
        for (const auto& part : parts) {
            crc = Crc(crc, part.first, part.second);
            Raw(part.first, part.second);
        }
        Bytes tail;
        PutU32(tail, static_cast<std::uint32_t>(crc));
        return Raw(tail.data(), tail.size());
    }
    bool Ok() const { return ok_; }

private:
    static uLong Crc(uLong crc, const std::uint8_t* data, std::size_t size) {
        while (size > 0) {
            const uInt n = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
            crc = crc32(crc, data, n);
            data += n;
            size -= n;
        }
        return crc;
    }
    std::FILE* file_;
    bool ok_ = true;
};

}  // namespace

std::string WritePngFast(const std::string& path, std::int32_t width, std::int32_t height, const PngRowSource& rows, const PngFastSettings& settings) {
    return WritePngFastStrips(path, width, height, [&rows]() -> PngRowSource { return rows; }, settings);
}

std::string WritePngFastStrips(const std::string& path, std::int32_t width, std::int32_t height, const PngRowSourceFactory& makeRows,
                               const PngFastSettings& settings) {
    if (width <= 0 || height <= 0) return "cannot write " + path + ": the picture has no pixels";
    if (static_cast<std::uint64_t>(width) * 3 + 1 > std::numeric_limits<uInt>::max()) return "cannot write " + path + ": the picture is too wide";

    const int strips = std::clamp(settings.Threads, 1, std::max(1, std::min(height, 16)));
    std::vector<Strip> parts(static_cast<std::size_t>(strips));
    for (int i = 0; i < strips; ++i) {
        Strip& s = parts[static_cast<std::size_t>(i)];
        s.FirstRow = static_cast<std::int32_t>(static_cast<std::int64_t>(height) * i / strips);
        s.EndRow = static_cast<std::int32_t>(static_cast<std::int64_t>(height) * (i + 1) / strips);
        s.Last = i == strips - 1;
    }
    {
        std::vector<std::thread> workers;
        std::vector<std::size_t> leftOver{0};  // strips the calling thread deflates
        for (std::size_t i = 1; i < parts.size(); ++i) {
            try {
                workers.emplace_back(DeflateStrip, std::ref(parts[i]), width, std::cref(makeRows), std::cref(settings));
            } catch (const std::system_error&) {
                leftOver.push_back(i);  // no thread to be had: done here instead
            }
        }
        for (std::size_t i : leftOver) DeflateStrip(parts[i], width, makeRows, settings);
        for (auto& worker : workers) worker.join();
    }
    uLong adler = parts[0].Adler;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!parts[i].Error.empty()) return "cannot write " + path + ": " + parts[i].Error;
        if (i > 0) adler = adler32_combine(adler, parts[i].Adler, static_cast<z_off_t>(parts[i].RawSize));
    }

    const std::filesystem::path target(path);
    const std::filesystem::path temporary = target.string() + ".part";
    std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
    if (file == nullptr) return "cannot write " + path + ": cannot create the file";
    ChunkFile png(file);
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png.Raw(kSignature, sizeof kSignature);
    Bytes header;
    PutU32(header, static_cast<std::uint32_t>(width));
    PutU32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, adaptive filters, no interlace
    png.Chunk("IHDR", {{header.data(), header.size()}});
    // One zlib stream: header (deflate, 32 KiB window, fastest), the strips, the checksum.
    static const std::uint8_t kZlibHeader[2] = {0x78, 0x01};
    Bytes trailer;
    PutU32(trailer, static_cast<std::uint32_t>(adler));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Bytes& d = parts[i].Deflated;
        constexpr std::size_t kMaxChunk = std::size_t{1} << 30;
        for (std::size_t offset = 0; offset < d.size() || (offset == 0 && d.empty()); offset += kMaxChunk) {
            const std::size_t n = std::min(kMaxChunk, d.size() - offset);
            const bool first = i == 0 && offset == 0, last = i + 1 == parts.size() && offset + n >= d.size();
            png.Chunk("IDAT", {{kZlibHeader, first ? 2u : 0u}, {d.data() + offset, n}, {trailer.data(), last ? 4u : 0u}});
            if (d.empty()) break;
        }
    }
    png.Chunk("IEND", {});
    const bool written = png.Ok();
    const bool closed = std::fclose(file) == 0;
    std::error_code ec;
    if (!written || !closed) {
        std::filesystem::remove(temporary, ec);
        return "cannot write " + path + ": writing failed";
    }
    std::filesystem::rename(temporary, target, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        return "cannot write " + path + ": " + ec.message();
    }
    return {};
}

namespace {

// R, G, B of every 5-6-5 value, packed in the low three bytes.
struct WideningTable {
    std::uint32_t Rgb[65536];
    WideningTable() {
        for (unsigned p = 0; p < 65536; ++p) {
            const unsigned r5 = p >> 11, g6 = (p >> 5) & 0x3F, b5 = p & 0x1F;
            Rgb[p] = (r5 << 3 | r5 >> 2) | (g6 << 2 | g6 >> 4) << 8 | (b5 << 3 | b5 >> 2) << 16;
        }
    }
};

}  // namespace

void WidenRow565(const std::uint16_t* pixels, std::size_t count, std::uint8_t* rgb) {
    static const WideningTable table;
    std::size_t x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // Four pixels as one 8-byte and one 4-byte store.
        for (; x + 4 <= count; x += 4) {
            const std::uint64_t a = table.Rgb[pixels[x]], b = table.Rgb[pixels[x + 1]];
            const std::uint64_t c = table.Rgb[pixels[x + 2]], d = table.Rgb[pixels[x + 3]];
            const std::uint64_t low = a | b << 24 | c << 48;
            const auto high = static_cast<std::uint32_t>(c >> 16 | d << 8);
            std::memcpy(rgb + 3 * x, &low, 8);
            std::memcpy(rgb + 3 * x + 8, &high, 4);
        }
    }
    for (; x < count; ++x) {
        const std::uint32_t v = table.Rgb[pixels[x]];
        rgb[3 * x] = static_cast<std::uint8_t>(v);
        rgb[3 * x + 1] = static_cast<std::uint8_t>(v >> 8);
        rgb[3 * x + 2] = static_cast<std::uint8_t>(v >> 16);
    }
}

std::string WritePng565(const std::string& path, std::int32_t width, std::int32_t height, const std::uint16_t* pixels, const PngFastSettings& settings) {
    const std::size_t stride = static_cast<std::size_t>(std::max(width, 0));
    return WritePngFast(
        path, width, height, [&](std::int32_t y, std::uint8_t* rgb) { WidenRow565(pixels + static_cast<std::size_t>(y) * stride, stride, rgb); },
        settings);
}

}  // namespace klv
