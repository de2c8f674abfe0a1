#pragma once

#include <cstdint>

namespace tolvane {

// A 24-bit colour written 0x00BBGGRR: blue in the high byte, red in the low one.
using Colour = std::uint32_t;

namespace colours {
inline constexpr Colour ButtonFace = 0x00F0F0F0;
inline constexpr Colour ButtonText = 0x00000000;
inline constexpr Colour WindowText = 0x00000000;
inline constexpr Colour Black = 0x00000000;
inline constexpr Colour White = 0x00FFFFFF;
inline constexpr Colour Green = 0x0000FF00;

constexpr std::uint8_t red(Colour c) { return c & 0xFF; }
constexpr std::uint8_t green(Colour c) { return (c >> 8) & 0xFF; }
constexpr std::uint8_t blue(Colour c) { return (c >> 16) & 0xFF; }
} // namespace colours

} // namespace tolvane
