// Writes the bundled default image sets into the folder given on the
// command line: land.dxg, ball.dxg, anm.dxg, objectball.dxg, surface.dxg.

#include <cstdio>
#include <filesystem>
#include <string>

#include "assets/default_sets.h"
#include "model/imageset/dxg_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argc > 0 ? argv[0] : "generate_default_sets");
        return 1;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "cannot create %s: %s\n", folder.string().c_str(), ec.message().c_str());
        return 1;
    }
    const struct {
        const char* file;
        klv::ImageSet (*make)();
    } sets[] = {
        {"land.dxg", klv::art::MakeLandSet},
        {"ball.dxg", klv::art::MakeBallSet},
        {"anm.dxg", klv::art::MakeAnimatedSet},
        {"objectball.dxg", klv::art::MakeTargetSet},
        {"surface.dxg", klv::art::MakeSurfaceSet},
    };
    for (const auto& set : sets) {
        const std::string path = (folder / set.file).string();
        const std::string error = klv::SaveImageSetFile(path, set.make());
        if (!error.empty()) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
