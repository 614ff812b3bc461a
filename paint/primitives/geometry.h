#pragma once
// The key colour of skin pictures and the conversion from a COLORREF (0x00BBGGRR) to a
// pixel (0xAARRGGBB).
#include <cstdint>

#include "base/color.h"
#include "base/geometry.h"

// A colour argument equal to this means "no colour given"; skin pixels of this colour are holes.
constexpr std::uint32_t kKeyColor = 0xFF00FF;
// The key colour as a pixel; key comparisons look at the colour bits only.
constexpr std::uint32_t kKeyPixel = 0x00FF00FF;

inline bool IsKeyPixel(std::uint32_t pixel) { return (pixel & 0x00FFFFFF) == kKeyPixel; }

// Swaps red and blue and puts the alpha byte on top.
inline std::uint32_t ColorToPixel(std::uint32_t color, std::uint8_t alpha) {
  return (static_cast<std::uint32_t>(alpha) << 24) | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
inline std::uint32_t PixelToColor(std::uint32_t pixel) {
  return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}
// Whether a pixel matches a key given as a colour (clNone, no key, matches nothing).
inline bool MatchesKey(std::uint32_t pixel, TColor key) {
  return key != clNone && (pixel & 0x00FFFFFF) == (ColorToPixel(static_cast<std::uint32_t>(key), 0) & 0x00FFFFFF);
}
