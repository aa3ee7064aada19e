#pragma once
// The subcommands of klvtool. Each takes the words after its name and returns
// the exit code: 0 done, 1 usage error, 2 a refused or damaged input file.

#include <string>
#include <vector>

namespace klv::tool {

using Args = std::vector<std::string>;

int RunInfo(const Args& args);      // info LEVEL.klv [--json]
int RunToJson(const Args& args);    // to-json LEVEL.klv [OUT.json]
int RunFromJson(const Args& args);  // from-json IN.json OUT.klv
int RunImages(const Args& args);    // images SET.dxg [--json]
int RunExport(const Args& args);    // export SET.dxg DIR
int RunPack(const Args& args);      // pack DIR OUT.dxg
int RunRender(const Args& args);    // render LEVEL.klv OUT.png [--dxg DIR] [--frame N]

// Folder of the running klvtool program (for the bundled dxg/ beside it).
std::string ProgramFolder();

}  // namespace klv::tool
