#pragma once
// Level files (.klv): a 51-byte signature field, the two sizes, W x H shape
// records of 32 bytes, W x H cell records of 76 bytes; a outer, b inner; all
// integers signed 32-bit little-endian.

#include <cstddef>
#include <cstdint>
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

// Writes the whole level to `path` through a temporary file in the same
// folder that is flushed and renamed over the target; on any failure the
// previous file is untouched and the temporary file removed.
LevelWriteResult WriteLevelFile(const std::string& path, const LevelState& level);

}  // namespace klv
