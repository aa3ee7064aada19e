#pragma once
// The GUI toolkit's binary object format ("TPF0" streams): typed property
// values, read with bounds checks and written the way the toolkit writes them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/byte_io.h"

namespace klv::dxg {

enum class ValueType : std::uint8_t {
    Null = 0,
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LString = 12,
    Nil = 13,
    Collection = 14,
    Single = 15,
    Currency = 16,
    Date = 17,
    WString = 18,
    Int64 = 19,
    Utf8String = 20,
};

bool IsIntegerType(ValueType type);
bool IsStringType(ValueType type);
const char* ValueTypeName(ValueType type);

// Reads values from a stream, keeping the first error. `Where` names what is
// being read, so a stream that ends early says where ("inside property 'X'").
class ComponentReader {
public:
    explicit ComponentReader(ByteReader& in) : in_(in) {}

    const std::string& Error() const { return error_; }
    bool Fail(const std::string& message);
    void SetWhere(std::string where) { where_ = std::move(where); }
    const std::string& Where() const { return where_; }

    bool AtEnd() const { return in_.AtEnd(); }
    bool Byte(std::uint8_t& value);
    bool PeekByte(std::uint8_t& value);
    bool ShortString(std::string& value);
    // Skips `n` bytes and hands out where they are; they stay owned by the input.
    bool View(std::size_t n, const std::uint8_t*& bytes);
    bool Type(ValueType& type);

    // Reads the payload of a value whose type byte has been read already.
    bool Integer(ValueType type, std::int64_t& value);
    bool Text(ValueType type, std::string& value);  // string, long, wide (as UTF-8) and UTF-8 strings
    bool Binary(const std::uint8_t*& bytes, std::size_t& size);
    // Skips a value of any type; lists and collections nest at most a few levels.
    bool SkipValue(ValueType type, int depth = 0);
    // Skips the properties of one object up to and including the 0 byte that ends them.
    bool SkipProperties(int depth);

private:
    bool Length(std::uint32_t& n);
    bool Ends();

    ByteReader& in_;
    std::string where_;
    std::string error_;
};

// Writes values the way the toolkit does: integers in the smallest type that fits.
class ComponentWriter {
public:
    explicit ComponentWriter(std::vector<std::uint8_t>& out) : bytes_(out) {}

    void Byte(std::uint8_t value) { bytes_.U8(value); }
    void ShortString(const std::string& value);  // longer texts are cut to 255 bytes
    void PropertyName(const std::string& name) { ShortString(name); }
    void Integer(std::int64_t value);
    void Boolean(bool value) { Byte(static_cast<std::uint8_t>(value ? ValueType::True : ValueType::False)); }
    void Text(const std::string& value);  // a string value, long string when above 255 bytes
    void Ident(const std::string& value);
    void Binary(const std::vector<std::uint8_t>& bytes);
    void End() { Byte(0); }

private:
    ByteWriter bytes_;
};

}  // namespace klv::dxg
