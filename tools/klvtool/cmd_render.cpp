// klvtool render: the whole back buffer of a level, drawn as the editor draws
// it after a number of frame ticks, written as a PNG.

#include <algorithm>
#include <charconv>
#include <memory>
#include <cstdio>
#include <string>

#include "model/imageset/dxg_file.h"
#include "model/level_file.h"
#include "tools/klvtool/commands.h"
#include "tools/support/png_fast_writer.h"
#include "view/compositor.h"

namespace klv::tool {

namespace {

constexpr int kDone = 0;
constexpr int kUsage = 1;
constexpr int kRefused = 2;
// Rows composed in one go while writing: small enough to stay in cache.
constexpr std::int32_t kBandRows = 48;
constexpr const char* kUsageText = "render LEVEL.klv OUT.png [--dxg DIR] [--frame N]";

// The set files, in the order of the layer slots.
constexpr const char* kSetFiles[kLayerSlotCount] = {"land.dxg", "ball.dxg", "anm.dxg", "objectball.dxg", "surface.dxg"};

struct RenderArgs {
    std::string LevelPath;
    std::string OutPath;
    std::string SetFolder;
    long long Frames = 0;
};

bool ParseCount(const std::string& text, long long& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= 0;
}

bool ParseArgs(const Args& args, RenderArgs& out) {
    bool haveDxg = false, haveFrame = false;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--dxg" && !haveDxg && i + 1 < args.size()) {
            out.SetFolder = args[++i];
            haveDxg = true;
        } else if (arg == "--frame" && !haveFrame && i + 1 < args.size()) {
            if (!ParseCount(args[++i], out.Frames)) return false;
            haveFrame = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) return false;
    out.LevelPath = positional[0];
    out.OutPath = positional[1];
    if (!haveDxg) out.SetFolder = ProgramFolder() + "/dxg";
    return true;
}

// The counters after `ticks` frame ticks from the state the window starts
// them in. After the first six ticks they repeat every 60, so long counts
// are cut short.
AnimationCounters CountersAfter(long long ticks) {
    if (ticks > 66) ticks = 6 + (ticks - 6) % 60;
    AnimationCounters counters{0, 0, 11};
    for (long long i = 0; i < ticks; ++i) AdvanceAnimation(counters);
    return counters;
}

bool ReadLevel(const std::string& path, LevelState& level) {
    const LevelReadResult result = ReadLevelFile(path, level);
    switch (result.Outcome) {
        case LevelReadOutcome::Read:
            if (!result.Detail.empty()) std::fprintf(stderr, "klvtool render: %s: note: %s\n", path.c_str(), result.Detail.c_str());
            return true;
        case LevelReadOutcome::CannotOpen:
            std::fprintf(stderr, "klvtool render: %s: %s (%s)\n", path.c_str(), std::string(kCannotOpenText).c_str(), result.Detail.c_str());
            return false;
        case LevelReadOutcome::NotALevelFile:
            std::fprintf(stderr, "klvtool render: %s: %s (%s)\n", path.c_str(), std::string(kNotALevelFileText).c_str(), result.Detail.c_str());
            return false;
    }
    return false;
}

}  // namespace

int RunRender(const Args& args) {
    RenderArgs options;
    if (!ParseArgs(args, options)) {
        std::fprintf(stderr, "usage: klvtool %s\n", kUsageText);
        return kUsage;
    }

    LevelState level;
    if (!ReadLevel(options.LevelPath, level)) return kRefused;

    std::array<PreparedImageSet, kLayerSlotCount> prepared;
    LayerImageSets sets;
    for (int slot = 0; slot < kLayerSlotCount; ++slot) {
        const std::string path = options.SetFolder + "/" + kSetFiles[slot];
        ImageSet set;
        const ImageSetLoadResult loaded = LoadImageSetFile(path, set);
        if (!loaded.Ok) {
            std::fprintf(stderr, "klvtool render: %s: %s\n", path.c_str(), loaded.Error.c_str());
            return kRefused;
        }
        prepared[static_cast<std::size_t>(slot)] = PrepareImageSet(set);
        sets.Sets[static_cast<std::size_t>(slot)] = &prepared[static_cast<std::size_t>(slot)];
    }

    // Out-of-range indexes are listed, and the cells holding them left out.
    IndexFaultLog faults;
    FindIndexFaults(level, sets, faults, [](LayerSlot slot, std::int32_t, const std::string& message) {
        std::fprintf(stderr, "klvtool render: %s: %s\n", kSetFiles[static_cast<int>(slot)], message.c_str());
    });

    const AnimationCounters counters = CountersAfter(options.Frames);
    const FrameInputs inputs{level, sets, counters.AnimFrame, nullptr, {}};
    const std::int32_t width = DrawAreaWidthFor(level.LevelWidth), height = DrawAreaHeightFor(level.LevelHeight);

    // The back buffer is composed band by band on the threads that deflate
    // it: a band composes exactly the rows of the whole buffer, and nothing
    // the size of the whole picture is ever held.
    const PngRowSourceFactory bands = [&]() -> PngRowSource {
        auto band = std::make_shared<Surface565>();
        auto bandTop = std::make_shared<std::int32_t>(-1);
        return [&inputs, width, height, band, bandTop](std::int32_t y, std::uint8_t* rgb) {
            if (*bandTop < 0 || y < *bandTop || y >= *bandTop + band->Height) {
                *bandTop = y;
                ComposeRect(inputs, DrawRect{0, y, width, std::min(kBandRows, height - y)}, *band);
            }
            WidenRow565(band->Row(y - *bandTop), static_cast<std::size_t>(width), rgb);
        };
    };
    const std::string error = WritePngFastStrips(options.OutPath, width, height, bands);
    if (!error.empty()) {
        std::fprintf(stderr, "klvtool render: %s\n", error.c_str());
        return kRefused;
    }
    return kDone;
}

}  // namespace klv::tool
