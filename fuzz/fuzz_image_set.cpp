// Image-set files from anywhere: any bytes must give a set or a clean error,
// and a failed parse must leave the previous content alone.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "model/imageset/dxg_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    klv::ImageSet set;
    set.Items.resize(1);
    set.Items[0].Name = "previous";
    const klv::ImageSetLoadResult result = klv::ParseImageSet(data, size, set);
    if (!result.Ok) {
        if (result.Error.empty() || set.Items.size() != 1 || set.Items[0].Name != "previous") std::abort();
        return 0;
    }
    // Every pattern of what was read lies where the geometry says, without overflow.
    for (const klv::ImageItem& item : set.Items) {
        if (!item.Picture.Empty() &&
            item.Picture.Pixels.size() != static_cast<std::size_t>(item.Picture.Width) * static_cast<std::size_t>(item.Picture.Height))
            std::abort();
        const std::int32_t count = item.PatternCount();
        if (count > 0) (void)item.PatternAt(count - 1);
    }
    // What was read can be written and read again.
    const auto bytes = klv::SerializeImageSet(set);
    klv::ImageSet again;
    if (!klv::ParseImageSet(bytes.data(), bytes.size(), again).Ok || again.Items.size() != set.Items.size()) std::abort();
    return 0;
}
