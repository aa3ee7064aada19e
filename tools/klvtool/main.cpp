// klvtool: the command-line companion of the level editor. It reads and
// writes the same level and image-set files through the same core.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "tools/klvtool/commands.h"

namespace {

struct Command {
    const char* name;
    const char* usage;
    int (*run)(const klv::tool::Args&);
};

constexpr Command kCommands[] = {
    {"info", "info LEVEL.klv [--json]", klv::tool::RunInfo},
    {"to-json", "to-json LEVEL.klv [OUT.json]", klv::tool::RunToJson},
    {"from-json", "from-json IN.json OUT.klv", klv::tool::RunFromJson},
    {"images", "images SET.dxg [--json]", klv::tool::RunImages},
    {"export", "export SET.dxg DIR", klv::tool::RunExport},
    {"pack", "pack DIR OUT.dxg", klv::tool::RunPack},
    {"render", "render LEVEL.klv OUT.png [--dxg DIR] [--frame N]", klv::tool::RunRender},
};

int Usage(FILE* out) {
    std::fprintf(out, "usage: klvtool COMMAND ...\n");
    for (const auto& command : kCommands) std::fprintf(out, "  klvtool %s\n", command.usage);
    return out == stdout ? 0 : 1;
}

std::string g_argv0;

}  // namespace

namespace klv::tool {

std::string ProgramFolder() {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) self = std::filesystem::absolute(g_argv0, ec);
    return self.parent_path().string();
}

}  // namespace klv::tool

int main(int argc, char** argv) {
    g_argv0 = argc > 0 ? argv[0] : "klvtool";
    if (argc < 2) return Usage(stderr);
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") return Usage(stdout);
    for (const auto& command : kCommands) {
        if (name == command.name) {
            klv::tool::Args args(argv + 2, argv + argc);
            return command.run(args);
        }
    }
    std::fprintf(stderr, "klvtool: unknown command '%s'\n", argv[1]);
    return Usage(stderr);
}
