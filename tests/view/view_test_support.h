#pragma once
// Small builders for compositor tests: images and sets made in memory, cells
// filled, and a plain reference composition written pixel by pixel.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/imageset/image_set.h"
#include "model/level.h"
#include "view/compositor.h"

namespace klv::test {

// A bitmap image whose pixel (x, y) is colour(x, y) (0x00RRGGBB).
ImageItem MakeImage(std::int32_t width, std::int32_t height, const std::function<std::uint32_t(std::int32_t, std::int32_t)>& colour);
// A single-colour image.
ImageItem SolidImage(std::int32_t width, std::int32_t height, std::uint32_t rgb);

// Five prepared sets and the pointers drawing takes.
struct SetBundle {
    std::array<ImageSet, kLayerSlotCount> Raw;
    std::array<PreparedImageSet, kLayerSlotCount> Prepared;
    LayerImageSets Sets;
    void Prepare();  // (re)prepares every raw set and points Sets at them
    ImageSet& operator[](LayerSlot slot) { return Raw[static_cast<int>(slot)]; }
};

void PutLayer(LevelState& level, std::int32_t a, std::int32_t b, const std::string& code, std::int32_t tileIndex);
void PutSurface(LevelState& level, std::int32_t a, std::int32_t b, std::int32_t surfaceIndex);

// The whole back buffer, composed the slow and obvious way from the raw sets:
// every cell, every pixel, every line step checked on its own.
Surface565 ReferenceCompose(const LevelState& level, const std::array<ImageSet, kLayerSlotCount>& sets, std::int32_t animFrame);

// The reference rule for one line: the pixels it lights, in drawing order.
std::vector<std::pair<std::int64_t, std::int64_t>> ReferenceLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);

Surface565 Crop(const Surface565& whole, const DrawRect& rect);  // pixels outside `whole` are 0

FrameInputs Inputs(const LevelState& level, const LayerImageSets& sets, std::int32_t animFrame);

}  // namespace klv::test
