#pragma once
// What a palette shows for an image set, without any widget: which images get
// a button and where, and each button's 64 x 64 thumbnail.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/imageset/image_set.h"

namespace klv::shell {

inline constexpr std::int32_t kPaletteButtonLeft = 6;
inline constexpr std::int32_t kPaletteButtonFirstTop = 6;
inline constexpr std::int32_t kPaletteButtonPitch = 80;
inline constexpr std::int32_t kPaletteButtonWidth = 92;
inline constexpr std::int32_t kPaletteButtonHeight = 70;
inline constexpr std::int32_t kThumbnailSize = 64;
// The picture's top-left 91 x 91 pixels go into the thumbnail's top-left
// 63 x 63; its bottom row and right column stay white.
inline constexpr std::int32_t kThumbnailSourceSize = 91;
inline constexpr std::int32_t kThumbnailPaintedSize = 63;
inline constexpr std::uint32_t kThumbnailBackground = 0xFFFFFF;

struct PaletteEntry {
    std::int32_t Index = 0;  // image index in the set, also the button's caption
    std::int32_t Top = 0;    // button top in the palette
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// One entry per image with a non-empty name, in index order, packed from the
// top: unnamed images leave no gap.
std::vector<PaletteEntry> PaletteEntries(const ImageSet& set);

struct Thumbnail {
    bool Ok = true;
    std::string Error;  // "Bitmap image is not valid" for a picture that is no Windows bitmap
    std::array<std::uint32_t, kThumbnailSize * kThumbnailSize> Pixels{};  // 0x00RRGGBB, row-major
    // The colour the button leaves out: the bottom-left pixel's, which lies in
    // the unpainted bottom row, so white shows the button face.
    std::uint32_t TransparentColor = kThumbnailBackground;

    std::uint32_t At(std::int32_t x, std::int32_t y) const {
        return Pixels[static_cast<std::size_t>(y * kThumbnailSize + x)];
    }
};

// The thumbnail of a picture. An image without a picture gets a blank one;
// where the picture is smaller than 91 x 91 the thumbnail stays white.
Thumbnail MakeThumbnail(const Picture& picture);

}  // namespace klv::shell
