// Composing frames of a fully populated level (every cell a surface and a
// piece, a third of the pieces animated) with the bundled art, or synthetic
// sets of the same sizes when the bundled sets are not built:
//   - a 464 x 475 rectangle in the middle of the level, at 15 x 15 and 99 x 99
//     (the window composes only what is visible);
//   - the whole back buffer of 99 x 99;
//   - the level-wide scan for out-of-range indexes the window runs per tick;
//   - the PNG encoding of the whole 99 x 99 back buffer at several settings.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "model/imageset/dxg_file.h"
#include "tools/support/png_fast_writer.h"
#include "view/compositor.h"

namespace {

using namespace klv;

// A 92 x 42 diamond on a keyed background, or a 92 x h block.
ImageItem SyntheticImage(std::int32_t width, std::int32_t height, std::int32_t patterns, std::uint32_t colour, bool diamond) {
    ImageItem item;
    item.Picture.IsBitmap = true;
    item.Picture.GraphicClass = "TDIB";
    item.Picture.Width = width * patterns;
    item.Picture.Height = height;
    item.Picture.Pixels.resize(static_cast<std::size_t>(width * patterns * height));
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width * patterns; ++x) {
            const std::int32_t px = x % width;
            const bool inside = !diamond || std::abs(px - width / 2) * height + std::abs(y - height / 2) * width <= width * height / 2;
            item.Picture.Pixels[static_cast<std::size_t>(y * width * patterns + x)] = inside ? colour + static_cast<std::uint32_t>((x ^ y) & 0x1F) : 0xFF00FF;
        }
    item.PatternWidth = width;
    item.PatternHeight = height;
    item.Transparent = true;
    item.TransparentColor = 0xFF00FF;
    return item;
}

ImageSet SyntheticSet(LayerSlot slot) {
    ImageSet set;
    for (int i = 0; i < 12; ++i) {
        const auto colour = static_cast<std::uint32_t>(0x203040 + i * 0x101010);
        if (slot == LayerSlot::Surface) set.Items.push_back(SyntheticImage(92, 42, 1, colour, true));
        else set.Items.push_back(SyntheticImage(92, 80, slot == LayerSlot::Other || slot == LayerSlot::ObjectBall ? 11 : 1, colour, false));
    }
    return set;
}

struct BenchScene {
    std::array<PreparedImageSet, kLayerSlotCount> Prepared;
    LayerImageSets Sets;
    LevelState Level;
    bool Bundled = true;

    explicit BenchScene(std::int32_t size) {
        const char* files[] = {"land.dxg", "ball.dxg", "anm.dxg", "objectball.dxg", "surface.dxg"};
        std::array<ImageSet, kLayerSlotCount> raw;
        for (int i = 0; i < kLayerSlotCount; ++i)
            if (!LoadImageSetFile(std::string(KLV_BIN_DIR "/dxg/") + files[i], raw[static_cast<std::size_t>(i)]).Ok || raw[static_cast<std::size_t>(i)].Items.empty())
                Bundled = false;
        for (int i = 0; i < kLayerSlotCount; ++i) {
            if (!Bundled) raw[static_cast<std::size_t>(i)] = SyntheticSet(static_cast<LayerSlot>(i));
            Prepared[static_cast<std::size_t>(i)] = PrepareImageSet(raw[static_cast<std::size_t>(i)]);
            Sets.Sets[static_cast<std::size_t>(i)] = &Prepared[static_cast<std::size_t>(i)];
        }
        // The same filling as make_bench_level.
        Level = MakeLevel(size);
        for (std::int32_t a = 0; a < size; ++a)
            for (std::int32_t b = 0; b < size; ++b) {
                TCellRecord& cell = Level.Cells[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
                cell.SurfaceIndex = (a * 7 + b * 3) % Prepared[4].Count();
                const int layer = (a + b) % 3 == 0 ? 2 + (a % 2) : (a + 2 * b) % 2;
                cell.LayerCode.assign(std::to_string(layer));
                cell.TileIndex = (a + 3 * b) % Prepared[static_cast<std::size_t>(layer)].Count();
            }
    }
};

void BM_ComposeVisibleRect(benchmark::State& state) {
    const BenchScene scene(static_cast<std::int32_t>(state.range(0)));
    const DrawRect rect{(DrawAreaWidthFor(scene.Level.LevelWidth) - 464) / 2, (DrawAreaHeightFor(scene.Level.LevelHeight) - 475) / 2, 464, 475};
    Surface565 out;
    std::int32_t frame = 0;
    for (auto _ : state) {
        ComposeRect(FrameInputs{scene.Level, scene.Sets, frame, nullptr, {}}, rect, out);
        frame = frame % 10 + 1;
        benchmark::DoNotOptimize(out.Pixels.data());
    }
    state.SetLabel(scene.Bundled ? "bundled sets" : "synthetic sets");
}
BENCHMARK(BM_ComposeVisibleRect)->Arg(15)->Arg(99)->Unit(benchmark::kMicrosecond);

void BM_ComposeWhole(benchmark::State& state) {
    const BenchScene scene(static_cast<std::int32_t>(state.range(0)));
    Surface565 out;
    for (auto _ : state) {
        ComposeWhole(FrameInputs{scene.Level, scene.Sets, 3, nullptr, {}}, out);
        benchmark::DoNotOptimize(out.Pixels.data());
    }
    state.SetLabel(scene.Bundled ? "bundled sets" : "synthetic sets");
}
BENCHMARK(BM_ComposeWhole)->Arg(99)->Unit(benchmark::kMillisecond);

void BM_FindIndexFaults(benchmark::State& state) {
    const BenchScene scene(static_cast<std::int32_t>(state.range(0)));
    IndexFaultLog log;
    int faults = 0;
    for (auto _ : state) {
        FindIndexFaults(scene.Level, scene.Sets, log, [&](LayerSlot, std::int32_t, const std::string&) { ++faults; });
        benchmark::DoNotOptimize(faults);
    }
}
BENCHMARK(BM_FindIndexFaults)->Arg(15)->Arg(99)->Unit(benchmark::kMicrosecond);

// Level, filter, strategy, threads.
void BM_WritePng99(benchmark::State& state) {
    const BenchScene scene(99);
    Surface565 out;
    ComposeWhole(FrameInputs{scene.Level, scene.Sets, 0, nullptr, {}}, out);
    PngFastSettings settings;
    settings.Level = static_cast<int>(state.range(0));
    settings.Filter = state.range(1) ? PngRowFilter::Sub : PngRowFilter::None;
    settings.Strategy = static_cast<PngDeflateStrategy>(state.range(2));
    settings.Threads = static_cast<int>(state.range(3));
    const std::string path = "/tmp/klv_bench_compose.png";
    for (auto _ : state) {
        const std::string error = WritePng565(path, out.Width, out.Height, out.Pixels.data(), settings);
        if (!error.empty()) state.SkipWithError(error.c_str());
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file != nullptr) {
        std::fseek(file, 0, SEEK_END);
        state.counters["MB"] = static_cast<double>(std::ftell(file)) / 1e6;
        std::fclose(file);
    }
    std::remove(path.c_str());
}
// Strategy: 0 default, 1 filtered, 2 run-length.
BENCHMARK(BM_WritePng99)
    ->ArgNames({"level", "sub", "strategy", "threads"})
    ->Args({1, 0, 2, 2})
    ->Args({1, 1, 2, 2})
    ->Args({1, 0, 0, 2})
    ->Args({1, 1, 0, 2})
    ->Args({1, 1, 1, 2})
    ->Args({1, 0, 2, 1})
    ->Args({6, 1, 0, 2})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

}  // namespace
