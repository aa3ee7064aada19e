// Writing image-set files the way the original tools lay them out, so those
// tools can read what the editor and klvtool write.

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "model/byte_io.h"
#include "model/imageset/colour_names.h"
#include "model/imageset/component_stream.h"
#include "model/imageset/dib_encode.h"
#include "model/imageset/dxg_file.h"

namespace klv {

namespace {

using dxg::ComponentWriter;
using dxg::ValueType;

constexpr char kResourceName[] = "PICTURECOLLECTION";
constexpr std::uint16_t kResourceFlags = 0x1030;

std::vector<std::uint8_t> PictureData(const Picture& picture) {
    std::vector<std::uint8_t> data;
    ComponentWriter out(data);
    if (!picture.IsBitmap) {
        // Another graphic class travels as it came.
        out.ShortString(picture.GraphicClass);
        data.insert(data.end(), picture.RawData.begin(), picture.RawData.end());
        return data;
    }
    out.ShortString("TDIB");
    const std::vector<std::uint8_t> dib = dxg::EncodePackedDib(picture);
    data.insert(data.end(), dib.begin(), dib.end());
    return data;
}

bool HasPicture(const Picture& picture) {
    if (picture.IsBitmap) return !picture.Empty();
    return !picture.GraphicClass.empty();
}

void WriteItem(ComponentWriter& out, const ImageItem& item) {
    out.Byte(static_cast<std::uint8_t>(ValueType::List));
    out.PropertyName("Name");
    out.Text(item.Name);
    out.PropertyName("PatternHeight");
    out.Integer(item.PatternHeight);
    out.PropertyName("PatternWidth");
    out.Integer(item.PatternWidth);
    out.PropertyName("SkipHeight");
    out.Integer(item.SkipHeight);
    out.PropertyName("SkipWidth");
    out.Integer(item.SkipWidth);
    out.PropertyName("SystemMemory");
    out.Boolean(item.SystemMemory);
    out.PropertyName("Transparent");
    out.Boolean(item.Transparent);
    out.PropertyName("TransparentColor");
    const std::string_view colourName = dxg::NameOfColour(item.TransparentColor);
    if (!colourName.empty())
        out.Ident(std::string(colourName));
    else
        out.Integer(static_cast<std::int32_t>(item.TransparentColor));
    if (HasPicture(item.Picture)) {
        out.PropertyName("Picture.Data");
        out.Binary(PictureData(item.Picture));
    }
    out.End();
}

}  // namespace

std::vector<std::uint8_t> SerializeImageSet(const ImageSet& set) {
    std::vector<std::uint8_t> stream;
    ComponentWriter out(stream);
    for (const char c : {'T', 'P', 'F', '0'}) out.Byte(static_cast<std::uint8_t>(c));
    out.ShortString("TPictureCollectionComponent");
    out.ShortString("");
    out.PropertyName("List.ColorTable");
    out.Binary(std::vector<std::uint8_t>(1024, 0));
    out.PropertyName("List");
    out.Byte(static_cast<std::uint8_t>(ValueType::Collection));
    for (const ImageItem& item : set.Items) WriteItem(out, item);
    out.End();  // the collection
    out.End();  // the properties
    out.End();  // the children

    std::vector<std::uint8_t> file;
    ByteWriter header(file);
    header.U8(0xFF);
    header.U16(10);
    header.Bytes(kResourceName, sizeof kResourceName);  // with its terminating zero
    header.U16(kResourceFlags);
    header.U32(static_cast<std::uint32_t>(stream.size()));
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

std::string SaveImageSetFile(const std::string& path, const ImageSet& set) {
    const std::vector<std::uint8_t> bytes = SerializeImageSet(set);
    // A failed write must not destroy an existing file: write beside it, then rename.
    const std::string temporary = path + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) return "Cannot create file " + path;
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::remove(temporary.c_str());
            return "Cannot write file " + path;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        return "Cannot write file " + path + ": " + ec.message();
    }
    return {};
}

}  // namespace klv
