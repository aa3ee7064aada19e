#pragma once
// Reading a grid-size edit's text as a whole number.

#include <cstdint>
#include <optional>

#include <QStringView>

namespace klv::shell {

// The largest size an edit can hold: each takes at most two characters.
inline constexpr std::int32_t kMaxGridSize = 99;

// Reads `text` as a decimal whole number from 0 to kMaxGridSize.
//
// Accepted: one or more ASCII digits, optionally preceded by one "+", with
// any number of spaces before and after ("7", "07", "+7", " 7", "7 ").
// Leading zeros are fine.
// Rejected (nullopt): an empty or all-blank text, any minus sign (so "-5"
// and also "-0"), letters, hexadecimal forms, blanks between the sign and
// the digits or between digits, other digit scripts, and values above
// kMaxGridSize.
std::optional<std::int32_t> ParseGridSize(QStringView text);

}  // namespace klv::shell
