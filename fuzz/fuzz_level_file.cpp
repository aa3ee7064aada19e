// Feeds arbitrary bytes to the level reader. A refused input must leave the
// level untouched; an accepted one must save back to bytes that read again
// into the same level.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/level_file.h"

namespace {

bool SameCells(const klv::LevelState& x, const klv::LevelState& y) {
    if (x.LevelWidth != y.LevelWidth || x.LevelHeight != y.LevelHeight) return false;
    for (std::size_t a = 0; a < x.Cells.size(); ++a)
        for (std::size_t b = 0; b < x.Cells[a].size(); ++b)
            if (klv::CellRecordBytes(x.Cells[a][b]) != klv::CellRecordBytes(y.Cells[a][b]) ||
                !(x.CellShapes[a][b] == y.CellShapes[a][b]))
                return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    klv::LevelState level = klv::MakeLevel(2);
    level.Cells[1][1].Reserved3[7] = 0x5a;
    const klv::LevelState before = level;
    const auto first = klv::ReadLevelBytes(data, size, level);
    if (first.Outcome != klv::LevelReadOutcome::Read) {
        if (!SameCells(before, level) || level.SelectedTile != before.SelectedTile) std::abort();
        return 0;
    }

    const std::vector<std::uint8_t> saved = klv::LevelFileBytes(level);
    klv::LevelState again;
    const auto second = klv::ReadLevelBytes(saved.data(), saved.size(), again);
    if (second.Outcome != klv::LevelReadOutcome::Read || !SameCells(level, again)) std::abort();
    if (klv::LevelFileBytes(again) != saved) std::abort();
    return 0;
}
