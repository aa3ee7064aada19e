#include "model/imageset/image_set.h"

#include <algorithm>
#include <limits>

namespace klv {

namespace {

// Patterns along one axis. Widths and gaps come straight from files, so a
// zero or negative step (w + skip <= 0) yields no patterns instead of a
// division by zero, and the sums are formed in 64 bits.
std::int32_t PatternsAlong(std::int32_t pictureSize, std::int32_t patternSize, std::int32_t skip) {
    if (pictureSize <= 0 || patternSize <= 0) return 0;
    const std::int64_t step = static_cast<std::int64_t>(patternSize) + skip;
    if (step <= 0) return 0;
    const std::int64_t span = static_cast<std::int64_t>(pictureSize) + skip;
    if (span <= 0) return 0;
    return static_cast<std::int32_t>(std::min<std::int64_t>(span / step, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t ClampToInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::int32_t ImageItem::PatternW() const { return PatternWidth > 0 ? PatternWidth : Picture.Width; }

std::int32_t ImageItem::PatternH() const { return PatternHeight > 0 ? PatternHeight : Picture.Height; }

std::int32_t ImageItem::PatternsPerRow() const { return PatternsAlong(Picture.Width, PatternW(), SkipWidth); }

std::int32_t ImageItem::PatternRows() const { return PatternsAlong(Picture.Height, PatternH(), SkipHeight); }

std::int32_t ImageItem::PatternCount() const {
    return ClampToInt32(static_cast<std::int64_t>(PatternsPerRow()) * PatternRows());
}

PatternRect ImageItem::PatternAt(std::int32_t n) const {
    const std::int32_t perRow = PatternsPerRow();
    if (perRow <= 0 || n < 0) return {};
    const std::int32_t w = PatternW();
    const std::int32_t h = PatternH();
    PatternRect rect;
    rect.x = ClampToInt32(static_cast<std::int64_t>(n % perRow) * (static_cast<std::int64_t>(w) + SkipWidth));
    rect.y = ClampToInt32(static_cast<std::int64_t>(n / perRow) * (static_cast<std::int64_t>(h) + SkipHeight));
    rect.width = w;
    rect.height = h;
    return rect;
}

}  // namespace klv
