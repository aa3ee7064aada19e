#include "test_bytes.h"

#include <string>

namespace klv::testing {

void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

void ShortString(Bytes& out, const std::string& text) {
    out.push_back(static_cast<std::uint8_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

void Property(Bytes& out, const std::string& name, const Bytes& value) {
    ShortString(out, name);
    Append(out, value);
}

Bytes IntValue(std::int64_t value) {
    Bytes out;
    ByteWriter w(out);
    if (value >= -128 && value <= 127) {
        w.U8(2);
        w.I8(static_cast<std::int8_t>(value));
    } else if (value >= -32768 && value <= 32767) {
        w.U8(3);
        w.I16(static_cast<std::int16_t>(value));
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        w.U8(4);
        w.I32(static_cast<std::int32_t>(value));
    } else {
        w.U8(19);
        w.I64(value);
    }
    return out;
}

Bytes Int32Value(std::int32_t value) {
    Bytes out;
    ByteWriter w(out);
    w.U8(4);
    w.I32(value);
    return out;
}

Bytes StringValue(const std::string& text) {
    Bytes out{6};
    ShortString(out, text);
    return out;
}

Bytes IdentValue(const std::string& text) {
    Bytes out{7};
    ShortString(out, text);
    return out;
}

Bytes BoolValue(bool value) { return Bytes{static_cast<std::uint8_t>(value ? 9 : 8)}; }

Bytes BinaryValue(const Bytes& payload) {
    Bytes out;
    ByteWriter w(out);
    w.U8(10);
    w.U32(static_cast<std::uint32_t>(payload.size()));
    w.Bytes(payload.data(), payload.size());
    return out;
}

Bytes Item(const Bytes& properties, const Bytes& orderValue) {
    Bytes out = orderValue;
    out.push_back(1);
    Append(out, properties);
    out.push_back(0);
    return out;
}

Bytes Stream(const std::vector<Bytes>& items, bool withColourTable, const Bytes& extraProperties) {
    Bytes out{'T', 'P', 'F', '0'};
    ShortString(out, "TPictureCollectionComponent");
    ShortString(out, "");
    Append(out, extraProperties);
    if (withColourTable) Property(out, "List.ColorTable", BinaryValue(Bytes(1024, 0)));
    ShortString(out, "List");
    out.push_back(14);
    for (const Bytes& item : items) Append(out, item);
    out.push_back(0);  // collection
    out.push_back(0);  // properties
    out.push_back(0);  // children
    return out;
}

Bytes Resource(const Bytes& stream, std::uint16_t type) {
    Bytes out;
    ByteWriter w(out);
    w.U8(0xFF);
    w.U16(type);
    const std::string name = "TESTSET";
    w.Bytes(name.data(), name.size());
    w.U8(0);
    w.U16(0x1030);
    w.U32(static_cast<std::uint32_t>(stream.size()));
    Append(out, stream);
    return out;
}

Bytes ImageSetFile(const std::vector<Bytes>& items, bool withColourTable) {
    return Resource(Stream(items, withColourTable));
}

Bytes TdibData(const Bytes& packedDib) {
    Bytes out;
    ShortString(out, "TDIB");
    Append(out, packedDib);
    return out;
}

Bytes TbitmapData(const Bytes& bmpFile) {
    Bytes out;
    ShortString(out, "TBitmap");
    ByteWriter w(out);
    w.U32(static_cast<std::uint32_t>(bmpFile.size()));
    Append(out, bmpFile);
    return out;
}

Bytes InfoHeader(const InfoHeaderFields& f) {
    Bytes out;
    ByteWriter w(out);
    w.U32(f.headerSize);
    w.I32(f.width);
    w.I32(f.height);
    w.U16(1);
    w.U16(f.bitCount);
    w.U32(f.compression);
    w.U32(f.sizeImage);
    w.U32(2835);
    w.U32(2835);
    w.U32(f.clrUsed);
    w.U32(0);
    if (f.headerSize > 40) {
        for (const std::uint32_t m : f.masks) w.U32(m);
        w.Zeros(f.headerSize - 52);
    }
    return out;
}

Bytes CoreHeader(std::uint16_t width, std::uint16_t height, std::uint16_t bitCount) {
    Bytes out;
    ByteWriter w(out);
    w.U32(12);
    w.U16(width);
    w.U16(height);
    w.U16(1);
    w.U16(bitCount);
    return out;
}

Bytes Palette(std::initializer_list<std::uint32_t> rgb, bool core) {
    Bytes out;
    for (const std::uint32_t c : rgb) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
        out.push_back(static_cast<std::uint8_t>(c >> 16));
        if (!core) out.push_back(0);
    }
    return out;
}

Bytes BmpFile(const Bytes& packedDib, std::uint32_t bitsOffsetFromDibStart) {
    Bytes out;
    ByteWriter w(out);
    w.U8('B');
    w.U8('M');
    w.U32(static_cast<std::uint32_t>(14 + packedDib.size()));
    w.U32(0);
    w.U32(14 + bitsOffsetFromDibStart);
    Append(out, packedDib);
    return out;
}

}  // namespace klv::testing
