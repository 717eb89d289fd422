#pragma once

#include <cstdint>

namespace trochodraw {

// The toolkit's colour value 0x00BBGGRR, red in the low byte.
using TColor = uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clFuchsia = 0xFF00FF;

constexpr uint8_t RedOf(TColor C) { return static_cast<uint8_t>(C & 0xFF); }
constexpr uint8_t GreenOf(TColor C) { return static_cast<uint8_t>((C >> 8) & 0xFF); }
constexpr uint8_t BlueOf(TColor C) { return static_cast<uint8_t>((C >> 16) & 0xFF); }
constexpr TColor RGBColor(uint8_t R, uint8_t G, uint8_t B) {
  return static_cast<TColor>(R) | (static_cast<TColor>(G) << 8) | (static_cast<TColor>(B) << 16);
}

// Opaque ARGB (0xAARRGGBB) for the antialiasing surface; the top byte of C is ignored.
constexpr uint32_t ColorToARGB(TColor C) {
  return 0xFF000000u | (static_cast<uint32_t>(RedOf(C)) << 16) | (static_cast<uint32_t>(GreenOf(C)) << 8) |
         BlueOf(C);
}

}  // namespace trochodraw
