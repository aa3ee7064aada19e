// Feeds arbitrary bytes to the level reader. A refused input must leave the
// level untouched; an accepted one must save to bytes that read back into the
// same level and save again unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/level_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    klv::LevelState level = klv::MakeLevel(2);
    level.Cells[1][1].Reserved3[7] = 0x5a;
    level.SelectedTile = "3";
    const std::vector<std::uint8_t> before = klv::LevelFileBytes(level);

    klv::PlainDrawArea area;
    const klv::LevelReadResult first = klv::ReadLevelBytes(data, size, level, area);
    if (first.Outcome != klv::LevelReadOutcome::Read) {
        if (klv::LevelFileBytes(level) != before || level.SelectedTile != "3" || area.Width() != 0) std::abort();
        return 0;
    }

    const std::vector<std::uint8_t> saved = klv::LevelFileBytes(level);
    if (saved.size() != klv::kLevelHeaderSize + 108u * level.Cells.size() * level.Cells.size()) std::abort();
    klv::LevelState again;
    const klv::LevelReadResult second = klv::ReadLevelBytes(saved.data(), saved.size(), again);
    if (second.Outcome != klv::LevelReadOutcome::Read || !second.Detail.empty()) std::abort();
    if (klv::LevelFileBytes(again) != saved) std::abort();
    return 0;
}
