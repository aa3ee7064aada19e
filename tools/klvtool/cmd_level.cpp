// klvtool info, to-json and from-json: a level file summarised, and turned
// into its JSON twin and back without losing a byte.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "model/level_file.h"
#include "tools/json/level_json.h"
#include "tools/klvtool/commands.h"

namespace klv::tool {

namespace {

constexpr int kDone = 0;
constexpr int kUsage = 1;
constexpr int kRefused = 2;

int UsageError(const char* usage) {
    std::fprintf(stderr, "usage: klvtool %s\n", usage);
    return kUsage;
}

// Reads a level file; on a refusal says why on stderr and returns false.
bool LoadLevel(const char* command, const std::string& path, LevelState& level) {
    const LevelReadResult result = ReadLevelFile(path, level);
    switch (result.Outcome) {
        case LevelReadOutcome::Read:
            if (!result.Detail.empty()) std::fprintf(stderr, "klvtool %s: %s: note: %s\n", command, path.c_str(), result.Detail.c_str());
            return true;
        case LevelReadOutcome::CannotOpen:
            std::fprintf(stderr, "klvtool %s: %s: %s (%s)\n", command, path.c_str(), std::string(kCannotOpenText).c_str(),
                         result.Detail.c_str());
            return false;
        case LevelReadOutcome::NotALevelFile:
            std::fprintf(stderr, "klvtool %s: %s: %s (%s)\n", command, path.c_str(),
                         std::string(kNotALevelFileText).c_str(), result.Detail.c_str());
            return false;
    }
    return false;
}

bool WriteOut(const char* command, const std::string& path, const std::string& text) {
    const LevelWriteResult result = ReplaceFileContents(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    if (!result.Ok) std::fprintf(stderr, "klvtool %s: %s: %s\n", command, path.c_str(), result.Error.c_str());
    return result.Ok;
}

}  // namespace

int RunInfo(const Args& args) {
    const char* usage = "info LEVEL.klv [--json]";
    if (args.empty() || args.size() > 2) return UsageError(usage);
    bool json = false;
    std::string path;
    for (const auto& arg : args) {
        if (arg == "--json" && !json) {
            json = true;
        } else if (path.empty() && !(arg.size() > 1 && arg[0] == '-')) {
            path = arg;
        } else {
            return UsageError(usage);
        }
    }
    if (path.empty()) return UsageError(usage);

    LevelState level;
    if (!LoadLevel("info", path, level)) return kRefused;
    const LevelSummary summary = SummarizeLevel(level);
    const std::string text = json ? LevelSummaryJsonText(summary) : LevelSummaryText(summary);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kDone;
}

int RunToJson(const Args& args) {
    if (args.empty() || args.size() > 2) return UsageError("to-json LEVEL.klv [OUT.json]");
    LevelState level;
    if (!LoadLevel("to-json", args[0], level)) return kRefused;
    const std::string text = LevelToJsonText(level);
    if (args.size() == 1) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? kDone : kRefused;
    }
    return WriteOut("to-json", args[1], text) ? kDone : kRefused;
}

int RunFromJson(const Args& args) {
    if (args.size() != 2) return UsageError("from-json IN.json OUT.klv");
    std::ifstream in(args[0], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "klvtool from-json: %s: cannot open: %s\n", args[0].c_str(), std::strerror(errno));
        return kRefused;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        std::fprintf(stderr, "klvtool from-json: %s: cannot read\n", args[0].c_str());
        return kRefused;
    }

    LevelState level;
    const LevelFromJsonResult built = LevelFromJsonText(text.str(), level);
    if (!built.Ok) {
        std::fprintf(stderr, "klvtool from-json: %s: %s\n", args[0].c_str(), built.Error.c_str());
        return kRefused;
    }
    const LevelWriteResult written = WriteLevelFile(args[1], level);
    if (!written.Ok) {
        std::fprintf(stderr, "klvtool from-json: %s: %s\n", args[1].c_str(), written.Error.c_str());
        return kRefused;
    }
    return kDone;
}

}  // namespace klv::tool
