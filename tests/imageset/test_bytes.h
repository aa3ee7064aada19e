#pragma once
// Building image-set and bitmap bytes by hand, field by field, for tests
// that need a particular layout the writer would never produce.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/byte_io.h"

namespace klv::testing {

using Bytes = std::vector<std::uint8_t>;

// Appending helpers for the component stream.
void Append(Bytes& out, const Bytes& more);
void ShortString(Bytes& out, const std::string& text);
void Property(Bytes& out, const std::string& name, const Bytes& value);  // name, then the value's bytes
Bytes IntValue(std::int64_t value);    // smallest integer type
Bytes Int32Value(std::int32_t value);  // always type 4
Bytes StringValue(const std::string& text);
Bytes IdentValue(const std::string& text);
Bytes BoolValue(bool value);
Bytes BinaryValue(const Bytes& payload);

// An image item: optional order value, list marker, properties, end.
Bytes Item(const Bytes& properties, const Bytes& orderValue = {});
// "TPF0", class, empty name, optional List.ColorTable, List with the items, ends.
Bytes Stream(const std::vector<Bytes>& items, bool withColourTable = true, const Bytes& extraProperties = {});
// The resource header around a stream.
Bytes Resource(const Bytes& stream, std::uint16_t type = 10);
Bytes ImageSetFile(const std::vector<Bytes>& items, bool withColourTable = true);

// Picture.Data payloads.
Bytes TdibData(const Bytes& packedDib);
Bytes TbitmapData(const Bytes& bmpFile);

// DIB pieces.
struct InfoHeaderFields {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t headerSize = 40;  // 40, 52, 108 or 124; the masks sit in bytes 40..51 of the later ones
    std::uint32_t masks[3] = {0, 0, 0};
};
Bytes InfoHeader(const InfoHeaderFields& fields);
Bytes CoreHeader(std::uint16_t width, std::uint16_t height, std::uint16_t bitCount);
Bytes Palette(std::initializer_list<std::uint32_t> rgb, bool core = false);  // 0x00RRGGBB entries
Bytes BmpFile(const Bytes& packedDib, std::uint32_t bitsOffsetFromDibStart);

}  // namespace klv::testing
