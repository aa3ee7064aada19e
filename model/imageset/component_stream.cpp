#include "model/imageset/component_stream.h"

#include <limits>

namespace klv::dxg {

namespace {

// Nesting of lists and collections within skipped values; real streams nest
// two levels at most, and a bound keeps hostile input off the call stack.
constexpr int kMaxDepth = 32;

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Utf16ToUtf8(const std::uint8_t* bytes, std::size_t units) {
    std::string out;
    for (std::size_t i = 0; i < units; ++i) {
        std::uint32_t u = static_cast<std::uint32_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units) {
            const std::uint32_t low = static_cast<std::uint32_t>(bytes[2 * i + 2] | (bytes[2 * i + 3] << 8));
            if (low >= 0xDC00 && low < 0xE000) {
                u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (u >= 0xD800 && u < 0xE000) u = 0xFFFD;  // lone surrogate
        AppendUtf8(out, u);
    }
    return out;
}

}  // namespace

bool IsIntegerType(ValueType type) {
    return type == ValueType::Int8 || type == ValueType::Int16 || type == ValueType::Int32 || type == ValueType::Int64;
}

bool IsStringType(ValueType type) {
    return type == ValueType::String || type == ValueType::LString || type == ValueType::WString ||
           type == ValueType::Utf8String;
}

const char* ValueTypeName(ValueType type) {
    switch (type) {
        case ValueType::Null: return "null";
        case ValueType::List: return "list";
        case ValueType::Int8: return "int8";
        case ValueType::Int16: return "int16";
        case ValueType::Int32: return "int32";
        case ValueType::Extended: return "extended";
        case ValueType::String: return "string";
        case ValueType::Ident: return "identifier";
        case ValueType::False: return "false";
        case ValueType::True: return "true";
        case ValueType::Binary: return "binary";
        case ValueType::Set: return "set";
        case ValueType::LString: return "long string";
        case ValueType::Nil: return "nil";
        case ValueType::Collection: return "collection";
        case ValueType::Single: return "single";
        case ValueType::Currency: return "currency";
        case ValueType::Date: return "date";
        case ValueType::WString: return "wide string";
        case ValueType::Int64: return "int64";
        case ValueType::Utf8String: return "UTF-8 string";
    }
    return "unknown";
}

bool ComponentReader::Fail(const std::string& message) {
    if (error_.empty()) error_ = message;
    return false;
}

bool ComponentReader::Ends() { return Fail("stream ends " + (where_.empty() ? std::string("early") : where_)); }

bool ComponentReader::Byte(std::uint8_t& value) { return in_.U8(value) || Ends(); }

bool ComponentReader::PeekByte(std::uint8_t& value) {
    if (in_.AtEnd()) return Ends();
    value = *in_.Current();
    return true;
}

bool ComponentReader::ShortString(std::string& value) {
    std::uint8_t length = 0;
    if (!Byte(length)) return false;
    const std::uint8_t* bytes = nullptr;
    if (!View(length, bytes)) return false;
    value.assign(reinterpret_cast<const char*>(bytes), length);
    return true;
}

bool ComponentReader::View(std::size_t n, const std::uint8_t*& bytes) {
    if (n > in_.Remaining()) return Ends();
    bytes = in_.Current();
    in_.Skip(n);
    return true;
}

bool ComponentReader::Type(ValueType& type) {
    std::uint8_t byte = 0;
    if (!Byte(byte)) return false;
    if (byte > static_cast<std::uint8_t>(ValueType::Utf8String))
        return Fail("unknown value type " + std::to_string(byte) + " " + where_);
    type = static_cast<ValueType>(byte);
    return true;
}

bool ComponentReader::Length(std::uint32_t& n) { return in_.U32(n) || Ends(); }

bool ComponentReader::Integer(ValueType type, std::int64_t& value) {
    bool ok = false;
    switch (type) {
        case ValueType::Int8: {
            std::int8_t v = 0;
            ok = in_.I8(v);
            value = v;
            break;
        }
        case ValueType::Int16: {
            std::int16_t v = 0;
            ok = in_.I16(v);
            value = v;
            break;
        }
        case ValueType::Int32: {
            std::int32_t v = 0;
            ok = in_.I32(v);
            value = v;
            break;
        }
        case ValueType::Int64: {
            std::int64_t v = 0;
            ok = in_.I64(v);
            value = v;
            break;
        }
        default: return Fail(std::string("expected an integer, found a ") + ValueTypeName(type) + " value " + where_);
    }
    return ok || Ends();
}

bool ComponentReader::Text(ValueType type, std::string& value) {
    switch (type) {
        case ValueType::String: return ShortString(value);
        case ValueType::LString:
        case ValueType::Utf8String: {
            std::uint32_t n = 0;
            const std::uint8_t* bytes = nullptr;
            if (!Length(n) || !View(n, bytes)) return false;
            value.assign(reinterpret_cast<const char*>(bytes), n);
            return true;
        }
        case ValueType::WString: {
            std::uint32_t units = 0;
            const std::uint8_t* bytes = nullptr;
            if (!Length(units)) return false;
            if (units > in_.Remaining() / 2) return Ends();
            if (!View(static_cast<std::size_t>(units) * 2, bytes)) return false;
            value = Utf16ToUtf8(bytes, units);
            return true;
        }
        default: return Fail(std::string("expected a string, found a ") + ValueTypeName(type) + " value " + where_);
    }
}

bool ComponentReader::Binary(const std::uint8_t*& bytes, std::size_t& size) {
    std::uint32_t n = 0;
    if (!Length(n) || !View(n, bytes)) return false;
    size = n;
    return true;
}

bool ComponentReader::SkipProperties(int depth) {
    for (;;) {
        std::uint8_t next = 0;
        if (!PeekByte(next)) return false;
        if (next == 0) return Byte(next);
        std::string name;
        ValueType type{};
        if (!ShortString(name) || !Type(type) || !SkipValue(type, depth + 1)) return false;
    }
}

bool ComponentReader::SkipValue(ValueType type, int depth) {
    if (depth > kMaxDepth) return Fail("values nested too deeply " + where_);
    const std::uint8_t* bytes = nullptr;
    switch (type) {
        case ValueType::Null:
        case ValueType::False:
        case ValueType::True:
        case ValueType::Nil: return true;
        case ValueType::Int8: return View(1, bytes);
        case ValueType::Int16: return View(2, bytes);
        case ValueType::Int32:
        case ValueType::Single: return View(4, bytes);
        case ValueType::Int64:
        case ValueType::Currency:
        case ValueType::Date: return View(8, bytes);
        case ValueType::Extended: return View(10, bytes);
        case ValueType::String:
        case ValueType::Ident: {
            std::string ignored;
            return ShortString(ignored);
        }
        case ValueType::Binary:
        case ValueType::LString:
        case ValueType::Utf8String: {
            std::uint32_t n = 0;
            return Length(n) && View(n, bytes);
        }
        case ValueType::WString: {
            std::uint32_t units = 0;
            if (!Length(units)) return false;
            if (units > in_.Remaining() / 2) return Ends();
            return View(static_cast<std::size_t>(units) * 2, bytes);
        }
        case ValueType::Set:
            for (;;) {
                std::string element;
                if (!ShortString(element)) return false;
                if (element.empty()) return true;
            }
        case ValueType::List:
            for (;;) {
                std::uint8_t next = 0;
                if (!PeekByte(next)) return false;
                if (next == 0) return Byte(next);
                ValueType inner{};
                if (!Type(inner) || !SkipValue(inner, depth + 1)) return false;
            }
        case ValueType::Collection:
            for (;;) {
                std::uint8_t next = 0;
                if (!Byte(next)) return false;
                if (next == 0) return true;
                const auto marker = static_cast<ValueType>(next);
                if (IsIntegerType(marker) && marker != ValueType::Int64) {
                    std::int64_t order = 0;
                    if (!Integer(marker, order) || !Byte(next)) return false;
                }
                if (next != static_cast<std::uint8_t>(ValueType::List))
                    return Fail("collection item does not start with a list marker " + where_);
                if (!SkipProperties(depth + 1)) return false;
            }
    }
    return Fail("unknown value type " + where_);
}

void ComponentWriter::ShortString(const std::string& value) {
    const std::size_t n = value.size() > 255 ? 255 : value.size();
    bytes_.U8(static_cast<std::uint8_t>(n));
    bytes_.Bytes(value.data(), n);
}

void ComponentWriter::Integer(std::int64_t value) {
    if (value >= std::numeric_limits<std::int8_t>::min() && value <= std::numeric_limits<std::int8_t>::max()) {
        Byte(static_cast<std::uint8_t>(ValueType::Int8));
        bytes_.I8(static_cast<std::int8_t>(value));
    } else if (value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max()) {
        Byte(static_cast<std::uint8_t>(ValueType::Int16));
        bytes_.I16(static_cast<std::int16_t>(value));
    } else if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max()) {
        Byte(static_cast<std::uint8_t>(ValueType::Int32));
        bytes_.I32(static_cast<std::int32_t>(value));
    } else {
        Byte(static_cast<std::uint8_t>(ValueType::Int64));
        bytes_.I64(value);
    }
}

void ComponentWriter::Text(const std::string& value) {
    if (value.size() <= 255) {
        Byte(static_cast<std::uint8_t>(ValueType::String));
        ShortString(value);
    } else {
        Byte(static_cast<std::uint8_t>(ValueType::LString));
        bytes_.U32(static_cast<std::uint32_t>(value.size()));
        bytes_.Bytes(value.data(), value.size());
    }
}

void ComponentWriter::Ident(const std::string& value) {
    Byte(static_cast<std::uint8_t>(ValueType::Ident));
    ShortString(value);
}

void ComponentWriter::Binary(const std::vector<std::uint8_t>& bytes) {
    Byte(static_cast<std::uint8_t>(ValueType::Binary));
    bytes_.U32(static_cast<std::uint32_t>(bytes.size()));
    bytes_.Bytes(bytes.data(), bytes.size());
}

}  // namespace klv::dxg
