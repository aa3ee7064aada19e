// Writes the benchmark level: every cell holds a surface and a piece, a third
// of the pieces animated, indexes spread over the images the sets in DXG_DIR
// hold (so nothing is out of range).
//
//   make_bench_level OUT.klv SIZE DXG_DIR

#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/imageset/dxg_file.h"
#include "model/level_file.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_bench_level OUT.klv SIZE DXG_DIR\n");
        return 1;
    }
    const int size = std::atoi(argv[2]);
    if (size < 0 || size > klv::kMaxLevelSize) {
        std::fprintf(stderr, "make_bench_level: size must be 0..%d\n", klv::kMaxLevelSize);
        return 1;
    }
    const char* files[] = {"land.dxg", "ball.dxg", "anm.dxg", "objectball.dxg", "surface.dxg"};
    std::int32_t counts[5] = {};
    for (int i = 0; i < 5; ++i) {
        klv::ImageSet set;
        const std::string path = std::string(argv[3]) + "/" + files[i];
        const auto loaded = klv::LoadImageSetFile(path, set);
        if (!loaded.Ok) {
            std::fprintf(stderr, "make_bench_level: %s: %s\n", path.c_str(), loaded.Error.c_str());
            return 2;
        }
        counts[i] = static_cast<std::int32_t>(set.Items.size());
    }

    klv::LevelState level = klv::MakeLevel(size);
    for (std::int32_t a = 0; a < size; ++a)
        for (std::int32_t b = 0; b < size; ++b) {
            klv::TCellRecord& cell = level.Cells[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
            if (counts[4] > 0) cell.SurfaceIndex = (a * 7 + b * 3) % counts[4];
            // Every third piece animated, alternating between the two animated layers.
            const int layer = (a + b) % 3 == 0 ? 2 + (a % 2) : (a + 2 * b) % 2;
            if (counts[layer] > 0) {
                cell.LayerCode.assign(std::to_string(layer));
                cell.TileIndex = (a + 3 * b) % counts[layer];
            }
        }
    const klv::LevelWriteResult written = klv::WriteLevelFile(argv[1], level);
    if (!written.Ok) {
        std::fprintf(stderr, "make_bench_level: %s: %s\n", argv[1], written.Error.c_str());
        return 2;
    }
    return 0;
}
