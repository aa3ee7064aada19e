#include "model/imageset/colour_names.h"

#include <array>
#include <utility>

namespace klv::dxg {

namespace {

constexpr std::array<std::pair<std::string_view, std::uint32_t>, 20> kColours{{
    {"clBlack", 0x000000},  {"clMaroon", 0x000080}, {"clGreen", 0x008000},     {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080}, {"clTeal", 0x808000},      {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},    {"clLime", 0x00FF00},      {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},     {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
}};

// Identifiers are case-insensitive in the toolkit's streams.
bool SameIdentifier(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::optional<std::uint32_t> ColourByName(std::string_view name) {
    for (const auto& [n, v] : kColours)
        if (SameIdentifier(n, name)) return v;
    return std::nullopt;
}

std::string_view NameOfColour(std::uint32_t colour) {
    for (const auto& [n, v] : kColours)
        if (v == colour) return n;
    return {};
}

}  // namespace klv::dxg
