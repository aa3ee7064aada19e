#include "model/level_file.h"

#include <algorithm>
#include <cstring>

#include "model/byte_io.h"

namespace klv {

namespace {

void PutPoint(ByteWriter& out, TPoint p) {
    out.I32(p.x);
    out.I32(p.y);
}

void PutShape(ByteWriter& out, const TCellShape& shape) {
    PutPoint(out, shape.Top);
    PutPoint(out, shape.Left);
    PutPoint(out, shape.Bottom);
    PutPoint(out, shape.Right);
}

void PutCell(ByteWriter& out, const TCellRecord& cell) {
    out.U8(cell.LayerCode.length);
    out.Bytes(cell.LayerCode.chars.data(), cell.LayerCode.chars.size());
    out.U8(cell.Alignment);
    out.I32(cell.Reserved1);
    out.U8(cell.Reserved2);
    out.Bytes(cell.Reserved3.data(), cell.Reserved3.size());
    out.I32(cell.TileIndex);
    out.I32(cell.SurfaceIndex);
}

// The Take* readers are only called with a whole record left, so each field
// read succeeds; the results are still checked to keep the reader honest.
bool TakePoint(ByteReader& in, TPoint& p) { return in.I32(p.x) && in.I32(p.y); }

bool TakeShape(ByteReader& in, TCellShape& shape) {
    return TakePoint(in, shape.Top) && TakePoint(in, shape.Left) && TakePoint(in, shape.Bottom) &&
           TakePoint(in, shape.Right);
}

bool TakeCell(ByteReader& in, TCellRecord& cell) {
    return in.U8(cell.LayerCode.length) && in.Bytes(cell.LayerCode.chars.data(), cell.LayerCode.chars.size()) &&
           in.U8(cell.Alignment) && in.I32(cell.Reserved1) && in.U8(cell.Reserved2) &&
           in.Bytes(cell.Reserved3.data(), cell.Reserved3.size()) && in.I32(cell.TileIndex) &&
           in.I32(cell.SurfaceIndex);
}

template <std::size_t N>
std::array<std::uint8_t, N> ToArray(const std::vector<std::uint8_t>& bytes) {
    std::array<std::uint8_t, N> out{};
    std::copy_n(bytes.begin(), N, out.begin());
    return out;
}

// Reads one record into `target`. A record the file holds only in part keeps
// its own bytes past the end of the file, as if the file's bytes had been laid
// over the record's image.
template <std::size_t N, typename T, typename Take, typename ToBytes, typename FromBytes>
void ReadRecord(ByteReader& in, T& target, Take take, ToBytes toBytes, FromBytes fromBytes) {
    if (in.Remaining() >= N) {
        take(in, target);
        return;
    }
    auto image = toBytes(target);
    in.Bytes(image.data(), in.Remaining());
    target = fromBytes(image);
}

struct HeaderCheck {
    bool Ok = false;
    std::string Detail;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

HeaderCheck CheckHeader(const std::uint8_t* data, std::size_t size) {
    HeaderCheck check;
    if (size < 1 + kSignatureLength) {
        check.Detail = "the file ends inside its signature (" + std::to_string(size) + " bytes)";
        return check;
    }
    if (data[0] != kSignatureLength ||
        std::memcmp(data + 1, kLevelFileSignature.data(), kLevelFileSignature.size()) != 0) {
        check.Detail = "the signature is not \"" + std::string(kLevelFileSignature) + "\"";
        return check;
    }
    ByteReader in(data, size);
    if (!in.Skip(kSignatureFieldSize) || !in.I32(check.Width) || !in.I32(check.Height)) {
        check.Detail = "the file ends before its grid size (" + std::to_string(size) + " bytes)";
        return check;
    }
    if (check.Width != check.Height) {
        check.Detail = "the grid size " + std::to_string(check.Width) + " x " + std::to_string(check.Height) +
                       " is not square";
        return check;
    }
    if (check.Width < 0 || check.Width > kMaxLevelSize) {
        check.Detail = "the grid size " + std::to_string(check.Width) + " lies outside 0.." +
                       std::to_string(kMaxLevelSize);
        return check;
    }
    check.Ok = true;
    return check;
}

}  // namespace

ShapeRecordBytes ShapeRecordBytesOf(const TCellShape& shape) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kShapeRecordSize);
    ByteWriter out(bytes);
    PutShape(out, shape);
    return ToArray<kShapeRecordSize>(bytes);
}

TCellShape ShapeFromRecordBytes(const ShapeRecordBytes& bytes) {
    ByteReader in(bytes.data(), bytes.size());
    TCellShape shape;
    TakeShape(in, shape);
    return shape;
}

CellRecordBytesArray CellRecordBytes(const TCellRecord& cell) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kCellRecordSize);
    ByteWriter out(bytes);
    PutCell(out, cell);
    return ToArray<kCellRecordSize>(bytes);
}

TCellRecord CellRecordFromBytes(const CellRecordBytesArray& bytes) {
    ByteReader in(bytes.data(), bytes.size());
    TCellRecord cell;
    TakeCell(in, cell);
    return cell;
}

std::vector<std::uint8_t> LevelFileBytes(const LevelState& level) {
    const auto width = static_cast<std::size_t>(std::max(level.LevelWidth, 0));
    const auto height = static_cast<std::size_t>(std::max(level.LevelHeight, 0));
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kLevelHeaderSize + (kShapeRecordSize + kCellRecordSize) * width * height);
    ByteWriter out(bytes);
    out.U8(kSignatureLength);
    out.Bytes(kLevelFileSignature.data(), kLevelFileSignature.size());
    out.Zeros(kSignatureFieldSize - 1 - kLevelFileSignature.size());
    out.I32(level.LevelWidth);
    out.I32(level.LevelHeight);
    for (std::size_t a = 0; a < width; ++a)
        for (std::size_t b = 0; b < height; ++b) PutShape(out, level.CellShapes.at(a).at(b));
    for (std::size_t a = 0; a < width; ++a)
        for (std::size_t b = 0; b < height; ++b) PutCell(out, level.Cells.at(a).at(b));
    return bytes;
}

LevelReadResult ReadLevelBytes(const std::uint8_t* data, std::size_t size, LevelState& level,
                               DrawAreaGeometry& drawArea) {
    const HeaderCheck header = CheckHeader(data, size);
    if (!header.Ok) return {LevelReadOutcome::NotALevelFile, header.Detail};

    // Nothing below can refuse the file any more, so the level is replaced now.
    level.LevelWidth = header.Width;
    level.LevelHeight = header.Height;
    RebuildLevel(level, drawArea);

    const auto width = static_cast<std::size_t>(header.Width);
    const auto height = static_cast<std::size_t>(header.Height);
    ByteReader in(data, size);
    in.Skip(kLevelHeaderSize);
    for (std::size_t a = 0; a < width && !in.AtEnd(); ++a)
        for (std::size_t b = 0; b < height && !in.AtEnd(); ++b)
            ReadRecord<kShapeRecordSize>(in, level.CellShapes[a][b], TakeShape, ShapeRecordBytesOf, ShapeFromRecordBytes);
    for (std::size_t a = 0; a < width && !in.AtEnd(); ++a)
        for (std::size_t b = 0; b < height && !in.AtEnd(); ++b)
            ReadRecord<kCellRecordSize>(in, level.Cells[a][b], TakeCell, CellRecordBytes, CellRecordFromBytes);

    LevelReadResult result;
    const std::size_t expected = kLevelHeaderSize + (kShapeRecordSize + kCellRecordSize) * width * height;
    if (size < expected) {
        result.Detail = "the file ends " + std::to_string(expected - size) +
                        " bytes before its last record; what it lacks stays as rebuilt";
    } else if (size > expected) {
        result.Detail = std::to_string(size - expected) + " bytes after the last cell record were ignored";
    }
    return result;
}

LevelReadResult ReadLevelBytes(const std::uint8_t* data, std::size_t size, LevelState& level) {
    PlainDrawArea area;
    return ReadLevelBytes(data, size, level, area);
}

}  // namespace klv
