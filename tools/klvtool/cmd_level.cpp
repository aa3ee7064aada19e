#include <cstdio>

#include "tools/klvtool/commands.h"

namespace klv::tool {

static int Pending(const char* name) {
    std::fprintf(stderr, "klvtool %s: not built yet\n", name);
    return 1;
}

int RunInfo(const Args&) { return Pending("info"); }
int RunToJson(const Args&) { return Pending("to-json"); }
int RunFromJson(const Args&) { return Pending("from-json"); }

}  // namespace klv::tool
