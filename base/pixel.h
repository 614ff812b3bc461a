#pragma once
// Pixels are plain 32-bit words 0xAARRGGBB as they sit in a PixelView; colours are
// TColor. These are the only crossings between the two.
#include <cstdint>

#include "base/color.h"

namespace klarvik {

// The key colour as a pixel; key comparisons look at the colour bits only.
constexpr std::uint32_t kKeyPixel = 0x00FF00FF;

inline bool IsKeyPixel(std::uint32_t pixel) { return (pixel & 0x00FFFFFF) == kKeyPixel; }

// Swaps red and blue and puts the alpha byte on top; the colour must be resolved (no
// system colour), its high byte is dropped.
inline constexpr std::uint32_t ColorToPixel(TColor color, std::uint8_t alpha) {
  const auto c = static_cast<std::uint32_t>(color);
  return (static_cast<std::uint32_t>(alpha) << 24) | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline constexpr TColor PixelToColor(std::uint32_t pixel) {
  return static_cast<TColor>(((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF));
}
// Whether a pixel matches a key given as a colour (clNone, no key, matches nothing).
inline bool MatchesKey(std::uint32_t pixel, TColor key) {
  return key != clNone && (pixel & 0x00FFFFFF) == (ColorToPixel(key, 0) & 0x00FFFFFF);
}

}  // namespace klarvik
