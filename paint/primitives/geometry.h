#pragma once
// Small value types of the paint primitives: rectangles (right and bottom exclusive),
// points, and the conversion from a COLORREF (0x00BBGGRR) to a pixel (0xAARRGGBB).
#include <algorithm>
#include <cstdint>

#include "base/color.h"

struct PaintPoint {
  int x = 0;
  int y = 0;
};

struct PaintRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  PaintRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  PaintRect Intersect(const PaintRect& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
  }
  bool Contains(const PaintRect& o) const {
    return o.left >= left && o.top >= top && o.right <= right && o.bottom <= bottom;
  }
  friend bool operator==(const PaintRect&, const PaintRect&) = default;
};

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

inline PaintRect BoundsOf(int width, int height) { return {0, 0, width, height}; }
