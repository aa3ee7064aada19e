#pragma once
// The ball colours: ball i and its target i share name and colour.

#include <array>
#include <cstdint>

namespace klv::art {

struct BallColour {
    const char* name;
    std::uint32_t rgb;
};

inline constexpr std::array<BallColour, 8> kBallColours{{
    {"Red", 0xD62A2A},
    {"Blue", 0x2D62E0},
    {"Green", 0x2EAA3C},
    {"Yellow", 0xF2C418},
    {"Purple", 0x8E3CC8},
    {"Orange", 0xF07A18},
    {"Cyan", 0x1FB5C6},
    {"Silver", 0xB4B9C2},
}};

}  // namespace klv::art
