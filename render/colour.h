#pragma once

#include <algorithm>
#include <cstdint>

namespace rutl {

// A colour as the settings store it: 0x00BBGGRR, red in the low byte.
using COLORREF = std::uint32_t;

constexpr COLORREF Rgb(int red, int green, int blue) {
  return static_cast<COLORREF>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}
constexpr int RedOf(COLORREF colour) {
  return static_cast<int>(colour & 0xFF);
}
constexpr int GreenOf(COLORREF colour) {
  return static_cast<int>(colour >> 8 & 0xFF);
}
constexpr int BlueOf(COLORREF colour) {
  return static_cast<int>(colour >> 16 & 0xFF);
}

// A setting's colour with whatever stands in its high byte dropped.
constexpr COLORREF ColourOf(int setting) {
  return static_cast<COLORREF>(setting) & 0xFFFFFF;
}

// Mixes two colours channel by channel: (a * percent + b * (100 - percent)) / 100,
// truncated and kept within 0..255 (a percentage above 100 brightens a, one
// below 0 darkens it).
constexpr COLORREF Blend(COLORREF a, COLORREF b, int percent) {
  const auto channel = [percent](int x, int y) {
    const long long mixed = (x * static_cast<long long>(percent) + y * (100LL - percent)) / 100;
    return static_cast<int>(std::clamp(mixed, 0LL, 255LL));
  };
  return Rgb(channel(RedOf(a), RedOf(b)), channel(GreenOf(a), GreenOf(b)),
             channel(BlueOf(a), BlueOf(b)));
}

// Qt's 0xAARRGGBB pixel of an opaque colour, and back (alpha dropped).
constexpr std::uint32_t ToQRgb(COLORREF colour) {
  return 0xFF000000u | static_cast<std::uint32_t>(RedOf(colour)) << 16 |
         static_cast<std::uint32_t>(GreenOf(colour)) << 8 |
         static_cast<std::uint32_t>(BlueOf(colour));
}
constexpr COLORREF FromQRgb(std::uint32_t pixel) {
  return Rgb(static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
             static_cast<int>(pixel & 0xFF));
}

}  // namespace rutl
