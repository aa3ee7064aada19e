#include <cstdio>

#include "tools/klvtool/commands.h"

namespace klv::tool {

static int Pending(const char* name) {
    std::fprintf(stderr, "klvtool %s: not built yet\n", name);
    return 1;
}

int RunImages(const Args&) { return Pending("images"); }
int RunExport(const Args&) { return Pending("export"); }
int RunPack(const Args&) { return Pending("pack"); }

}  // namespace klv::tool
