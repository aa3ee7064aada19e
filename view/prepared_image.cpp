#include "view/prepared_image.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace klv {

namespace {

std::int64_t FloorDiv(std::int64_t num, std::int64_t den) {  // den > 0
    const std::int64_t q = num / den;
    return (num % den != 0 && num < 0) ? q - 1 : q;
}

// Fills the pattern layout. Pattern properties come from files, so any of
// them may be absurd: a layout whose step is not positive, or whose count
// does not fit, has no patterns at all rather than a division by zero.
void LayOutPatterns(PreparedImage& image, const ImageItem& item) {
    const std::int64_t pictureW = item.Picture.Width, pictureH = item.Picture.Height;
    const std::int64_t w = item.PatternWidth > 0 ? item.PatternWidth : pictureW;
    const std::int64_t h = item.PatternHeight > 0 ? item.PatternHeight : pictureH;
    image.DrawHeight = static_cast<std::int32_t>(h);
    image.PatternCount = 0;
    if (!image.Ready || w <= 0 || h <= 0) return;
    const std::int64_t stepX = w + item.SkipWidth, stepY = h + item.SkipHeight;
    if (stepX <= 0 || stepY <= 0) return;
    const std::int64_t perRow = FloorDiv(pictureW + item.SkipWidth, stepX);
    const std::int64_t rows = FloorDiv(pictureH + item.SkipHeight, stepY);
    if (perRow <= 0 || rows <= 0) return;
    const std::int64_t count = perRow * rows;
    if (count > std::numeric_limits<std::int32_t>::max()) return;
    // Every pattern lies inside the picture: the last of a row ends at
    // (perRow - 1) * stepX + w <= pictureW, likewise for the last row.
    image.PatternW = static_cast<std::int32_t>(w);
    image.PatternH = static_cast<std::int32_t>(h);
    image.PatternsPerRow = static_cast<std::int32_t>(perRow);
    image.StepX = static_cast<std::int32_t>(stepX);
    image.StepY = static_cast<std::int32_t>(stepY);
    image.PatternCount = static_cast<std::int32_t>(count);
}

}  // namespace

// Built twice, picked at load time: with 256-bit vectors where the processor
// has them, with the baseline 128-bit ones otherwise.
__attribute__((target_clones("avx2", "default")))
void CopyRowKeyed(std::uint16_t* __restrict dst, const std::uint16_t* __restrict src, std::size_t count, std::uint16_t key) {
    // Branch-free select, so the compiler turns it into vector compares and
    // blends. Blocks of a fixed size vectorise even at -O2, whose cost model
    // leaves loops of unknown length scalar.
    constexpr std::size_t kBlock = 16;
    std::size_t i = 0;
    for (; i + kBlock <= count; i += kBlock) {
        for (std::size_t k = 0; k < kBlock; ++k) {
            const std::uint16_t s = src[i + k];
            const std::uint16_t d = dst[i + k];
            dst[i + k] = s == key ? d : s;
        }
    }
    for (; i < count; ++i) {
        const std::uint16_t s = src[i];
        const std::uint16_t d = dst[i];
        dst[i] = s == key ? d : s;
    }
}

PreparedImage PrepareImage(const ImageItem& item) {
    PreparedImage image;
    const Picture& picture = item.Picture;
    const std::size_t pixelCount = static_cast<std::size_t>(std::max(picture.Width, 0)) * static_cast<std::size_t>(std::max(picture.Height, 0));
    image.Ready = picture.IsBitmap && !picture.Empty() && picture.Pixels.size() == pixelCount;
    image.Transparent = item.Transparent;
    image.Key = Rgb565FromColorRef(item.TransparentColor);
    if (image.Ready) {
        image.Width = picture.Width;
        image.Height = picture.Height;
        image.Pixels.resize(pixelCount);
        for (std::size_t i = 0; i < pixelCount; ++i) image.Pixels[i] = Rgb565FromRgb(picture.Pixels[i]);
    }
    LayOutPatterns(image, item);

    image.Geometry.Name = item.Name;
    image.Geometry.Picture.GraphicClass = picture.GraphicClass;
    image.Geometry.Picture.IsBitmap = picture.IsBitmap;
    image.Geometry.Picture.Width = picture.Width;
    image.Geometry.Picture.Height = picture.Height;
    image.Geometry.Picture.BitCount = picture.BitCount;
    image.Geometry.PatternWidth = item.PatternWidth;
    image.Geometry.PatternHeight = item.PatternHeight;
    image.Geometry.SkipWidth = item.SkipWidth;
    image.Geometry.SkipHeight = item.SkipHeight;
    image.Geometry.Transparent = item.Transparent;
    image.Geometry.TransparentColor = item.TransparentColor;
    image.Geometry.SystemMemory = item.SystemMemory;
    return image;
}

PreparedImageSet PrepareImageSet(const ImageSet& set) {
    PreparedImageSet prepared;
    prepared.Images.reserve(set.Items.size());
    for (const ImageItem& item : set.Items) prepared.Images.push_back(PrepareImage(item));
    return prepared;
}

void PreparedImage::Draw(Surface565& target, std::int32_t x, std::int32_t y, std::int32_t n) const {
    DrawClipped(target, target.Bounds(), x, y, n);
}

void PreparedImage::DrawClipped(Surface565& target, const PixelClip& clipIn, std::int64_t x, std::int64_t y, std::int32_t n) const {
    if (!Drawable(n)) return;
    const std::int64_t left = std::max<std::int64_t>({clipIn.Left, 0, x});
    const std::int64_t top = std::max<std::int64_t>({clipIn.Top, 0, y});
    const std::int64_t right = std::min<std::int64_t>({clipIn.Right, target.Width, x + PatternW});
    const std::int64_t bottom = std::min<std::int64_t>({clipIn.Bottom, target.Height, y + PatternH});
    if (left >= right || top >= bottom) return;

    const std::int64_t srcX = static_cast<std::int64_t>(n % PatternsPerRow) * StepX + (left - x);
    const std::int64_t srcY = static_cast<std::int64_t>(n / PatternsPerRow) * StepY + (top - y);
    const std::size_t count = static_cast<std::size_t>(right - left);
    const std::size_t srcStride = static_cast<std::size_t>(Width), dstStride = static_cast<std::size_t>(target.Width);
    const std::uint16_t* src = Pixels.data() + static_cast<std::size_t>(srcY) * srcStride + static_cast<std::size_t>(srcX);
    std::uint16_t* dst = target.Pixels.data() + static_cast<std::size_t>(top) * dstStride + static_cast<std::size_t>(left);
    for (std::int64_t row = top; row < bottom; ++row, src += srcStride, dst += dstStride) {
        if (Transparent) CopyRowKeyed(dst, src, count, Key);
        else std::memcpy(dst, src, count * sizeof(std::uint16_t));
    }
}

}  // namespace klv
