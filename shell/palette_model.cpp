#include "shell/palette_model.h"

namespace klv::shell {

std::vector<PaletteEntry> PaletteEntries(const ImageSet& set) {
    std::vector<PaletteEntry> entries;
    std::int32_t top = kPaletteButtonFirstTop;
    for (std::size_t i = 0; i < set.Items.size(); ++i) {
        if (set.Items[i].Name.empty()) continue;
        entries.push_back({static_cast<std::int32_t>(i), top});
        top += kPaletteButtonPitch;
    }
    return entries;
}

Thumbnail MakeThumbnail(const Picture& picture) {
    Thumbnail thumbnail;
    thumbnail.Pixels.fill(kThumbnailBackground);
    if (!picture.GraphicClass.empty() && !picture.IsBitmap) {
        thumbnail.Ok = false;
        thumbnail.Error = "Bitmap image is not valid";
        return thumbnail;
    }
    if (!picture.Empty()) {
        // Nearest neighbour, sampling at the centre of each target pixel.
        for (std::int32_t y = 0; y < kThumbnailPaintedSize; ++y) {
            const std::int32_t sy = ((2 * y + 1) * kThumbnailSourceSize) / (2 * kThumbnailPaintedSize);
            if (sy >= picture.Height) break;
            for (std::int32_t x = 0; x < kThumbnailPaintedSize; ++x) {
                const std::int32_t sx = ((2 * x + 1) * kThumbnailSourceSize) / (2 * kThumbnailPaintedSize);
                if (sx >= picture.Width) break;
                thumbnail.Pixels[static_cast<std::size_t>(y * kThumbnailSize + x)] = picture.At(sx, sy) & 0xFFFFFF;
            }
        }
    }
    thumbnail.TransparentColor = thumbnail.At(0, kThumbnailSize - 1);
    return thumbnail;
}

}  // namespace klv::shell
