#pragma once
// Level files (.klv): a 51-byte signature field, the two sizes, W x H shape
// records of 32 bytes, W x H cell records of 76 bytes; a outer, b inner; all
// integers signed 32-bit little-endian.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/level.h"

namespace klv {

inline constexpr std::string_view kLevelFileSignature = "Quarnel Kelvaran2";
inline constexpr std::size_t kSignatureFieldSize = 51;
inline constexpr std::size_t kLevelHeaderSize = 59;
inline constexpr std::size_t kShapeRecordSize = 32;
inline constexpr std::size_t kCellRecordSize = 76;
inline constexpr std::uint8_t kSignatureLength = 17;
// The longest file a reader ever needs to look at: a 99 x 99 level.
inline constexpr std::size_t kMaxLevelFileSize =
    kLevelHeaderSize + (kShapeRecordSize + kCellRecordSize) * static_cast<std::size_t>(kMaxLevelSize * kMaxLevelSize);

// Texts the window shows for the two refusals.
inline constexpr std::string_view kCannotOpenText = "打开文件失败。";
inline constexpr std::string_view kNotALevelFileText = "无效的关卡文件。";

enum class LevelReadOutcome {
    Read,           // the level has been read
    CannotOpen,     // "打开文件失败。"
    NotALevelFile,  // "无效的关卡文件。"
};

struct LevelReadResult {
    LevelReadOutcome Outcome = LevelReadOutcome::Read;
    std::string Detail;  // why, for logs and tools; the window shows the fixed texts
};

// Reads a level file into `level`. Everything is validated before anything is
// replaced: a refused file leaves `level` (and the draw area) exactly as it
// was. A file that ends inside its records is read as far as it goes; what it
// lacks keeps what RebuildLevel gave it.
LevelReadResult ReadLevelFile(const std::string& path, LevelState& level, DrawAreaGeometry& drawArea);
LevelReadResult ReadLevelFile(const std::string& path, LevelState& level);
LevelReadResult ReadLevelBytes(const std::uint8_t* data, std::size_t size, LevelState& level, DrawAreaGeometry& drawArea);
LevelReadResult ReadLevelBytes(const std::uint8_t* data, std::size_t size, LevelState& level);

struct LevelWriteResult {
    bool Ok = true;
    std::string Error;  // the reason, when not Ok
};

// The bytes WriteLevelFile writes for `level`.
std::vector<std::uint8_t> LevelFileBytes(const LevelState& level);

// One record as it lies in the file, and back. Every byte of a cell record has
// a field to live in, so CellRecordFromBytes(CellRecordBytes(c)) == c.
using ShapeRecordBytes = std::array<std::uint8_t, kShapeRecordSize>;
using CellRecordBytesArray = std::array<std::uint8_t, kCellRecordSize>;
ShapeRecordBytes ShapeRecordBytesOf(const TCellShape& shape);
TCellShape ShapeFromRecordBytes(const ShapeRecordBytes& bytes);
CellRecordBytesArray CellRecordBytes(const TCellRecord& cell);
TCellRecord CellRecordFromBytes(const CellRecordBytesArray& bytes);

// Writes the whole level to `path` through a temporary file in the same
// folder that is flushed and renamed over the target; on any failure the
// previous file is untouched and the temporary file removed. A level whose
// arrays do not match its size is refused before anything is written.
LevelWriteResult WriteLevelFile(const std::string& path, const LevelState& level);

// The system calls a replacing write goes through. An empty member means the
// real call; tests put in calls that fail at a chosen point.
struct FileWriteCalls {
    // Like write(2): bytes written, or -1 with errno set.
    std::function<long(int fd, const std::uint8_t* data, std::size_t size)> Write;
    // Like fsync(2) and rename(2): 0, or -1 with errno set.
    std::function<int(int fd)> Sync;
    std::function<int(const char* from, const char* to)> Rename;
};

// Replaces the file at `path` with `bytes` the safe way: a new file beside it
// (taking the old file's permission bits, if there is one) is written,
// flushed to disk and renamed over the target. On failure the temporary file
// is removed and the target left as it was. A symbolic link is followed, so
// the file it names is replaced and the link kept. A file the caller may not
// write is refused, as writing it in place would be.
LevelWriteResult ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                     const FileWriteCalls& calls = {});

}  // namespace klv
