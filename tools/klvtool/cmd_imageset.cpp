// klvtool images / export / pack: image-set files listed, taken apart into
// PNGs and a JSON listing, and put together again from them.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <nlohmann/json.hpp>

#include "model/imageset/dib_decode.h"
#include "model/imageset/dxg_file.h"
#include "tools/json/imageset_json.h"
#include "tools/klvtool/commands.h"
#include "tools/support/png_io.h"

namespace klv::tool {

namespace {

namespace fs = std::filesystem;

constexpr int kUsage = 1;
constexpr int kRefused = 2;

int Refuse(const char* command, const std::string& reason) {
    std::fprintf(stderr, "klvtool %s: %s\n", command, reason.c_str());
    return kRefused;
}

int UsageError(const char* usage) {
    std::fprintf(stderr, "usage: klvtool %s\n", usage);
    return kUsage;
}

std::string Dump(const nlohmann::ordered_json& value) {
    // Names are the file's own bytes and need not be UTF-8.
    return value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

Picture RgbToPicture(const RgbImage& image) {
    Picture picture;
    picture.GraphicClass = "TDIB";
    picture.IsBitmap = true;
    picture.Width = image.Width;
    picture.Height = image.Height;
    picture.BitCount = 24;
    picture.Pixels.reserve(image.Bytes.size() / 3);
    for (std::size_t i = 0; i + 2 < image.Bytes.size(); i += 3)
        picture.Pixels.push_back(static_cast<std::uint32_t>(image.Bytes[i]) << 16 |
                                 static_cast<std::uint32_t>(image.Bytes[i + 1]) << 8 | image.Bytes[i + 2]);
    return picture;
}

std::string WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return "cannot create " + path.string();
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file ? std::string() : "cannot write " + path.string();
}

std::string ReadBytes(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return "cannot open " + path.string();
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return {};
}

void PrintListing(const ImageSet& set) {
    std::printf("%5s  %-24s %-10s %11s %4s %9s %9s %8s %5s %7s %4s\n", "index", "name", "class", "size", "bits",
                "pattern", "skip", "patterns", "trans", "colour", "sys");
    for (std::size_t i = 0; i < set.Items.size(); ++i) {
        const ImageItem& item = set.Items[i];
        const std::string size = std::to_string(item.Picture.Width) + "x" + std::to_string(item.Picture.Height);
        const std::string pattern = std::to_string(item.PatternWidth) + "x" + std::to_string(item.PatternHeight);
        const std::string skip = std::to_string(item.SkipWidth) + "x" + std::to_string(item.SkipHeight);
        std::printf("%5zu  %-24s %-10s %11s %4d %9s %9s %8d %5s %7s %4s\n", i, item.Name.c_str(),
                    item.Picture.GraphicClass.empty() ? "-" : item.Picture.GraphicClass.c_str(), size.c_str(),
                    item.Picture.BitCount, pattern.c_str(), skip.c_str(), item.PatternCount(),
                    item.Transparent ? "yes" : "no", ColourValueToHex(item.TransparentColor).c_str(),
                    item.SystemMemory ? "yes" : "no");
    }
}

}  // namespace

int RunImages(const Args& args) {
    const char* usage = "images SET.dxg [--json]";
    if (args.empty() || args.size() > 2 || (args.size() == 2 && args[1] != "--json")) return UsageError(usage);
    ImageSet set;
    const ImageSetLoadResult result = LoadImageSetFile(args[0], set);
    if (!result.Ok) return Refuse("images", result.Error);
    if (args.size() == 2)
        std::printf("%s\n", Dump(ImageSetToJson(set)).c_str());
    else
        PrintListing(set);
    return 0;
}

// DIR/<index>.png for every bitmap picture, DIR/<index>.bin for the data of
// any other graphic class, DIR/set.json for the listing.
int RunExport(const Args& args) {
    const char* usage = "export SET.dxg DIR";
    if (args.size() != 2) return UsageError(usage);
    ImageSet set;
    const ImageSetLoadResult result = LoadImageSetFile(args[0], set);
    if (!result.Ok) return Refuse("export", result.Error);
    const fs::path folder = args[1];
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return Refuse("export", "cannot create " + folder.string() + ": " + ec.message());
    for (std::size_t i = 0; i < set.Items.size(); ++i) {
        const Picture& picture = set.Items[i].Picture;
        std::string error;
        if (picture.IsBitmap && !picture.Empty())
            error = WritePng((folder / (std::to_string(i) + ".png")).string(), RgbImageFromPixels(picture.Width, picture.Height, picture.Pixels));
        else if (!picture.IsBitmap && !picture.GraphicClass.empty())
            error = WriteBytes(folder / (std::to_string(i) + ".bin"), picture.RawData);
        if (!error.empty()) return Refuse("export", error);
    }
    std::ofstream listing(folder / "set.json", std::ios::trunc);
    listing << Dump(ImageSetToJson(set)) << "\n";
    if (!listing) return Refuse("export", "cannot write " + (folder / "set.json").string());
    return 0;
}

int RunPack(const Args& args) {
    const char* usage = "pack DIR OUT.dxg";
    if (args.size() != 2) return UsageError(usage);
    const fs::path folder = args[0];
    std::ifstream listingFile(folder / "set.json");
    if (!listingFile) return Refuse("pack", "cannot open " + (folder / "set.json").string());
    std::stringstream text;
    text << listingFile.rdbuf();
    const nlohmann::json listing = nlohmann::json::parse(text.str(), nullptr, false);
    if (listing.is_discarded()) return Refuse("pack", (folder / "set.json").string() + " is not valid JSON");
    if (!listing.is_array()) return Refuse("pack", (folder / "set.json").string() + " does not hold an array of images");

    ImageSet set;
    for (std::size_t i = 0; i < listing.size(); ++i) {
        const nlohmann::json& object = listing[i];
        const std::string where = "image " + std::to_string(i) + " of " + (folder / "set.json").string() + ": ";
        ImageItem item;
        if (std::string error = ImageItemPropertiesFromJson(object, item); !error.empty()) return Refuse("pack", where + error);
        if (const auto index = object.find("index"); index != object.end() && (!index->is_number_unsigned() || index->get<std::size_t>() != i))
            return Refuse("pack", where + "\"index\" does not match its position in the list");
        std::string graphicClass;
        if (const auto cls = object.find("class"); cls != object.end() && cls->is_string()) graphicClass = cls->get<std::string>();

        const fs::path png = folder / (std::to_string(i) + ".png");
        const fs::path raw = folder / (std::to_string(i) + ".bin");
        std::error_code ec;
        if (fs::exists(png, ec)) {
            RgbImage image;
            if (std::string error = ReadPng(png.string(), image); !error.empty()) return Refuse("pack", error);
            if (image.Width > dxg::kMaxPictureSide || image.Height > dxg::kMaxPictureSide ||
                static_cast<std::int64_t>(image.Width) * image.Height * 4 > dxg::kMaxPictureBytes)
                return Refuse("pack", png.string() + " is too large for an image set");
            item.Picture = RgbToPicture(image);
        } else if (!graphicClass.empty() && graphicClass != "TDIB" && graphicClass != "TBitmap" && fs::exists(raw, ec)) {
            item.Picture.GraphicClass = graphicClass;
            item.Picture.IsBitmap = false;
            if (std::string error = ReadBytes(raw, item.Picture.RawData); !error.empty()) return Refuse("pack", error);
        } else if (!graphicClass.empty()) {
            return Refuse("pack", where + "its picture " + png.string() + " is missing");
        }
        set.Items.push_back(std::move(item));
    }
    if (std::string error = SaveImageSetFile(args[1], set); !error.empty()) return Refuse("pack", error);
    return 0;
}

}  // namespace klv::tool
