// Reading image-set files: resource header, component stream, the picture
// collection and its pictures. Everything is parsed into a fresh set that
// replaces the caller's only when the whole file has been read.

#include <filesystem>
#include <fstream>
#include <limits>

#include "model/byte_io.h"
#include "model/imageset/colour_names.h"
#include "model/imageset/component_stream.h"
#include "model/imageset/dib_decode.h"
#include "model/imageset/dxg_file.h"

namespace klv {

namespace {

using dxg::ComponentReader;
using dxg::ValueType;

constexpr char kInvalidFormat[] = "Invalid stream format";
constexpr char kDamaged[] = "Image set is damaged: ";
constexpr std::uint16_t kResourceTypeRcData = 10;
constexpr std::uintmax_t kMaxFileBytes = 512ULL * 1024 * 1024;

ImageSetLoadResult Failure(std::string message) { return {false, std::move(message)}; }

std::string InProperty(const std::string& name) { return "inside property '" + name + "'"; }

// Picture.Data: the graphic class name, then that class's own data.
bool ReadPicture(ComponentReader& r, const std::uint8_t* bytes, std::size_t size, std::size_t image, Picture& picture) {
    ByteReader in(bytes, size);
    std::uint8_t length = 0;
    if (!in.U8(length) || length > in.Remaining())
        return r.Fail("the picture class name of image " + std::to_string(image) + " is cut off");
    Picture result;
    result.GraphicClass.assign(reinterpret_cast<const char*>(in.Current()), length);
    in.Skip(length);
    std::string error;
    if (result.GraphicClass == "TDIB") {
        error = dxg::DecodePackedDib(in.Current(), in.Remaining(), result);
    } else if (result.GraphicClass == "TBitmap") {
        std::uint32_t bmpSize = 0;
        if (!in.U32(bmpSize)) {
            error = "the bitmap length is cut off";
        } else if (bmpSize > in.Remaining()) {
            error = "the bitmap file is cut off (" + std::to_string(bmpSize) + " bytes announced, " +
                    std::to_string(in.Remaining()) + " present)";
        } else if (bmpSize == 0) {
            result.IsBitmap = true;  // an empty bitmap
        } else {
            error = dxg::DecodeBmpFile(in.Current(), bmpSize, result);
        }
    } else {
        // Not a Windows bitmap: kept as it is, so it can be reported and written back.
        result.IsBitmap = false;
        result.RawData.assign(in.Current(), in.Current() + in.Remaining());
    }
    if (!error.empty()) return r.Fail("the picture of image " + std::to_string(image) + " (" + result.GraphicClass + "): " + error);
    picture = std::move(result);
    return true;
}

bool ReadInt32(ComponentReader& r, ValueType type, const std::string& name, std::int32_t& value) {
    std::int64_t v = 0;
    if (!r.Integer(type, v)) return false;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return r.Fail("property '" + name + "' is out of range (" + std::to_string(v) + ")");
    value = static_cast<std::int32_t>(v);
    return true;
}

bool ReadBoolean(ComponentReader& r, ValueType type, const std::string& name, bool& value) {
    if (type != ValueType::True && type != ValueType::False)
        return r.Fail("property '" + name + "' holds a " + dxg::ValueTypeName(type) + " value, not a boolean");
    value = type == ValueType::True;
    return true;
}

bool ReadColour(ComponentReader& r, ValueType type, std::uint32_t& value) {
    if (type == ValueType::Ident) {
        std::string ident;
        if (!r.ShortString(ident)) return false;
        const auto colour = dxg::ColourByName(ident);
        if (!colour) return r.Fail("unknown colour identifier '" + ident + "' in property 'TransparentColor'");
        value = *colour;
        return true;
    }
    std::int64_t v = 0;
    if (!r.Integer(type, v)) return false;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::uint32_t>::max())
        return r.Fail("property 'TransparentColor' is out of range (" + std::to_string(v) + ")");
    value = static_cast<std::uint32_t>(v);
    return true;
}

bool ReadItemProperty(ComponentReader& r, const std::string& name, ValueType type, std::size_t image, ImageItem& item) {
    if (name == "Name") return r.Text(type, item.Name);
    if (name == "PatternWidth") return ReadInt32(r, type, name, item.PatternWidth);
    if (name == "PatternHeight") return ReadInt32(r, type, name, item.PatternHeight);
    if (name == "SkipWidth") return ReadInt32(r, type, name, item.SkipWidth);
    if (name == "SkipHeight") return ReadInt32(r, type, name, item.SkipHeight);
    if (name == "Transparent") return ReadBoolean(r, type, name, item.Transparent);
    if (name == "SystemMemory") return ReadBoolean(r, type, name, item.SystemMemory);
    if (name == "TransparentColor") return ReadColour(r, type, item.TransparentColor);
    if (name == "Picture.Data") {
        if (type != ValueType::Binary)
            return r.Fail(std::string("property 'Picture.Data' holds a ") + dxg::ValueTypeName(type) + " value, not binary data");
        const std::uint8_t* bytes = nullptr;
        std::size_t size = 0;
        return r.Binary(bytes, size) && ReadPicture(r, bytes, size, image, item.Picture);
    }
    return r.SkipValue(type);
}

bool ReadItems(ComponentReader& r, std::vector<ImageItem>& items) {
    items.clear();
    for (;;) {
        r.SetWhere("inside the image list after image " + std::to_string(items.size()));
        std::uint8_t marker = 0;
        if (!r.Byte(marker)) return false;
        if (marker == 0) return true;
        const auto markerType = static_cast<ValueType>(marker);
        if (markerType == ValueType::Int8 || markerType == ValueType::Int16 || markerType == ValueType::Int32) {
            std::int64_t order = 0;  // the item's order value; the position decides
            if (!r.Integer(markerType, order) || !r.Byte(marker)) return false;
        }
        if (marker != static_cast<std::uint8_t>(ValueType::List))
            return r.Fail("image " + std::to_string(items.size()) + " does not start with a list marker");
        ImageItem item;
        for (;;) {
            r.SetWhere("inside image " + std::to_string(items.size()));
            std::uint8_t next = 0;
            if (!r.PeekByte(next)) return false;
            if (next == 0) {
                r.Byte(next);
                break;
            }
            std::string name;
            if (!r.ShortString(name)) return false;
            r.SetWhere(InProperty(name));
            ValueType type{};
            if (!r.Type(type) || !ReadItemProperty(r, name, type, items.size(), item)) return false;
        }
        items.push_back(std::move(item));
    }
}

bool SkipPrefix(ComponentReader& r) {
    std::uint8_t first = 0;
    if (!r.PeekByte(first)) return false;
    if ((first & 0xF0) != 0xF0) return true;
    r.Byte(first);
    if (first & 0x02) {
        ValueType type{};
        std::int64_t position = 0;
        if (!r.Type(type) || !r.Integer(type, position)) return false;
    }
    return true;
}

bool ReadComponent(ComponentReader& r, ImageSet& set, int depth);

bool SkipChildren(ComponentReader& r, int depth) {
    for (;;) {
        r.SetWhere("inside the list of child components");
        std::uint8_t next = 0;
        if (!r.PeekByte(next)) return false;
        if (next == 0) return r.Byte(next);
        if (depth >= 8) return r.Fail("child components nested too deeply");
        ImageSet ignored;
        if (!ReadComponent(r, ignored, depth + 1)) return false;
    }
}

// One component: its prefix, class and name, its properties, its children.
// Only the top one's "List" is the image set; children are skipped.
bool ReadComponent(ComponentReader& r, ImageSet& set, int depth) {
    r.SetWhere("inside the component header");
    std::string className, objectName;
    if (!SkipPrefix(r) || !r.ShortString(className) || !r.ShortString(objectName)) return false;
    for (;;) {
        r.SetWhere("inside the component's properties");
        std::uint8_t next = 0;
        if (!r.PeekByte(next)) return false;
        if (next == 0) {
            r.Byte(next);
            break;
        }
        std::string name;
        ValueType type{};
        if (!r.ShortString(name)) return false;
        r.SetWhere(InProperty(name));
        if (!r.Type(type)) return false;
        if (name == "List" && type == ValueType::Collection) {
            if (!ReadItems(r, set.Items)) return false;
        } else if (!r.SkipValue(type)) {
            return false;
        }
    }
    return SkipChildren(r, depth);
}

}  // namespace

ImageSetLoadResult ParseImageSet(const std::uint8_t* data, std::size_t size, ImageSet& set) {
    ByteReader in(data, size);
    std::uint8_t marker = 0;
    std::uint16_t type = 0;
    if (!in.U8(marker) || marker != 0xFF || !in.U16(type) || type != kResourceTypeRcData) return Failure(kInvalidFormat);

    std::uint8_t first = 0;
    if (!in.U8(first)) return Failure(std::string(kDamaged) + "the resource header is cut off");
    if (first == 0xFF) {
        std::uint16_t ordinal = 0;
        if (!in.U16(ordinal)) return Failure(std::string(kDamaged) + "the resource header is cut off");
    } else {
        while (first != 0)
            if (!in.U8(first)) return Failure(std::string(kDamaged) + "the resource name is not terminated");
    }
    std::uint16_t flags = 0;
    std::uint32_t streamSize = 0;
    if (!in.U16(flags) || !in.U32(streamSize)) return Failure(std::string(kDamaged) + "the resource header is cut off");
    if (streamSize > in.Remaining())
        return Failure(std::string(kDamaged) + "the header announces " + std::to_string(streamSize) +
                       " bytes of component stream but only " + std::to_string(in.Remaining()) + " follow");

    ByteReader stream(in.Current(), streamSize);
    ComponentReader r(stream);
    r.SetWhere("inside the stream signature");
    const std::uint8_t* signature = nullptr;
    if (!r.View(4, signature)) return Failure(kDamaged + r.Error());
    if (signature[0] != 'T' || signature[1] != 'P' || signature[2] != 'F' || signature[3] != '0')
        return Failure(std::string(kDamaged) + "the component stream does not start with \"TPF0\"");

    ImageSet parsed;
    if (!ReadComponent(r, parsed, 0)) return Failure(kDamaged + r.Error());
    set = std::move(parsed);
    return {};
}

ImageSetLoadResult LoadImageSetFile(const std::string& path, ImageSet& set) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return Failure("Cannot open file " + path);
    std::ifstream file(path, std::ios::binary);
    if (!file) return Failure("Cannot open file " + path);
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return Failure("Cannot open file " + path);
    if (size > kMaxFileBytes) return Failure(std::string(kDamaged) + "the file is too large (" + std::to_string(size) + " bytes)");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (size != 0 && !file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
        return Failure("Cannot open file " + path);
    return ParseImageSet(bytes.data(), bytes.size(), set);
}

}  // namespace klv
