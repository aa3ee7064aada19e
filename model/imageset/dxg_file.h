#pragma once
// Image-set files (.dxg): a resource header, then the GUI toolkit's binary
// component stream holding one picture collection.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/imageset/image_set.h"

namespace klv {

struct ImageSetLoadResult {
    bool Ok = true;
    std::string Error;  // "Cannot open file <path>", "Invalid stream format", or what is damaged
};

// Replaces `set` with the images of the file. On any failure `set` keeps the
// content it had.
ImageSetLoadResult LoadImageSetFile(const std::string& path, ImageSet& set);
ImageSetLoadResult ParseImageSet(const std::uint8_t* data, std::size_t size, ImageSet& set);

// Writes `set` in the same format (pictures as TDIB: 8 bits with a colour
// table when at most 256 colours, else 24 bits).
std::vector<std::uint8_t> SerializeImageSet(const ImageSet& set);
// Returns an empty string or the reason the file could not be written.
std::string SaveImageSetFile(const std::string& path, const ImageSet& set);

}  // namespace klv
