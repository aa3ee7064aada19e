// Loading the five bundled image sets, as the editor does at start-up.

#include <string>

#include <benchmark/benchmark.h>

#include "model/imageset/dxg_file.h"

namespace {

const char* const kSets[] = {"land.dxg", "ball.dxg", "anm.dxg", "objectball.dxg", "surface.dxg"};

void LoadAllFive(benchmark::State& state) {
    for (auto _ : state) {
        for (const char* file : kSets) {
            klv::ImageSet set;
            const auto result = klv::LoadImageSetFile(std::string(KLV_BIN_DIR "/dxg/") + file, set);
            if (!result.Ok) {
                state.SkipWithError(result.Error.c_str());
                return;
            }
            benchmark::DoNotOptimize(set.Items.data());
        }
    }
}
BENCHMARK(LoadAllFive)->Unit(benchmark::kMillisecond);

void LoadOne(benchmark::State& state) {
    const std::string path = std::string(KLV_BIN_DIR "/dxg/") + kSets[state.range(0)];
    state.SetLabel(kSets[state.range(0)]);
    for (auto _ : state) {
        klv::ImageSet set;
        if (!klv::LoadImageSetFile(path, set).Ok) {
            state.SkipWithError("cannot load");
            return;
        }
        benchmark::DoNotOptimize(set.Items.data());
    }
}
BENCHMARK(LoadOne)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
