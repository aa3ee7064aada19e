// The JSON twin of the largest level, every cell holding a piece and a
// surface: to-json and from-json should each stay well under 200 ms.

#include <benchmark/benchmark.h>

#include "model/level.h"
#include "tools/json/level_json.h"

namespace {

klv::LevelState FullLevel() {
    klv::LevelState level = klv::MakeLevel(klv::kMaxLevelSize);
    const char* codes[] = {"0", "1", "2", "3"};
    for (std::size_t a = 0; a < level.Cells.size(); ++a)
        for (std::size_t b = 0; b < level.Cells[a].size(); ++b) {
            klv::TCellRecord& cell = level.Cells[a][b];
            cell.LayerCode.assign(codes[(a + b) % 4]);
            cell.TileIndex = static_cast<std::int32_t>((a * 7 + b) % 40);
            cell.SurfaceIndex = static_cast<std::int32_t>((a + 3 * b) % 25);
            cell.Reserved3[static_cast<std::size_t>(a % 51)] = static_cast<std::uint8_t>(b);
        }
    return level;
}

void BM_LevelToJson(benchmark::State& state) {
    const klv::LevelState level = FullLevel();
    for (auto _ : state) {
        std::string text = klv::LevelToJsonText(level);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_LevelToJson)->Unit(benchmark::kMillisecond);

void BM_LevelFromJson(benchmark::State& state) {
    const std::string text = klv::LevelToJsonText(FullLevel());
    for (auto _ : state) {
        klv::LevelState level;
        const auto result = klv::LevelFromJsonText(text, level);
        if (!result.Ok) state.SkipWithError(result.Error.c_str());
        benchmark::DoNotOptimize(level);
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_LevelFromJson)->Unit(benchmark::kMillisecond);

}  // namespace
