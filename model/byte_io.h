#pragma once
// Little-endian reading and writing, field by field, with explicit bounds
// checks: file formats never cast a struct over bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace klv {

// Reads from a byte range; every read checks what is left first. A failed read
// returns false and leaves the position where it was.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ == size_; }
    const std::uint8_t* Current() const { return data_ + pos_; }

    bool Skip(std::size_t n) {
        if (n > Remaining()) return false;
        pos_ += n;
        return true;
    }
    bool Bytes(void* out, std::size_t n) {
        if (n > Remaining()) return false;
        if (n != 0) std::memcpy(out, data_ + pos_, n);
        pos_ += n;
        return true;
    }
    bool U8(std::uint8_t& v) { return Unsigned(v); }
    bool U16(std::uint16_t& v) { return Unsigned(v); }
    bool U32(std::uint32_t& v) { return Unsigned(v); }
    bool U64(std::uint64_t& v) { return Unsigned(v); }
    bool I8(std::int8_t& v) { return Signed(v); }
    bool I16(std::int16_t& v) { return Signed(v); }
    bool I32(std::int32_t& v) { return Signed(v); }
    bool I64(std::int64_t& v) { return Signed(v); }

private:
    template <typename U>
    bool Unsigned(U& v) {
        if (sizeof(U) > Remaining()) return false;
        U result = 0;
        for (std::size_t i = 0; i < sizeof(U); ++i) result = static_cast<U>(result | static_cast<U>(static_cast<U>(data_[pos_ + i]) << (8 * i)));
        v = result;
        pos_ += sizeof(U);
        return true;
    }
    template <typename S>
    bool Signed(S& v) {
        using U = std::make_unsigned_t<S>;
        U u = 0;
        if (!Unsigned(u)) return false;
        v = static_cast<S>(u);
        return true;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Appends little-endian fields to a byte vector.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void U8(std::uint8_t v) { out_.push_back(v); }
    void U16(std::uint16_t v) { Unsigned(v); }
    void U32(std::uint32_t v) { Unsigned(v); }
    void U64(std::uint64_t v) { Unsigned(v); }
    void I8(std::int8_t v) { out_.push_back(static_cast<std::uint8_t>(v)); }
    void I16(std::int16_t v) { Unsigned(static_cast<std::uint16_t>(v)); }
    void I32(std::int32_t v) { Unsigned(static_cast<std::uint32_t>(v)); }
    void I64(std::int64_t v) { Unsigned(static_cast<std::uint64_t>(v)); }
    void Bytes(const void* data, std::size_t n) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        out_.insert(out_.end(), p, p + n);
    }
    void Zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }
    std::size_t Size() const { return out_.size(); }
    // Overwrites a uint32 written earlier (for sizes known only afterwards).
    void PatchU32(std::size_t at, std::uint32_t v) {
        for (std::size_t i = 0; i < 4; ++i) out_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }

private:
    template <typename U>
    void Unsigned(U v) {
        for (std::size_t i = 0; i < sizeof(U); ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }

    std::vector<std::uint8_t>& out_;
};

}  // namespace klv
