#include <cstdio>

#include "tools/klvtool/commands.h"

namespace klv::tool {

int RunRender(const Args&) {
    std::fprintf(stderr, "klvtool render: not built yet\n");
    return 1;
}

}  // namespace klv::tool
