#pragma once
// Small helpers of the paint-core tests: owned pictures filled with a seeded random
// pattern, and a stable hash of their pixels.
#include <cstdint>
#include <random>
#include <vector>

#include "skin/image/skin_bitmap.h"

namespace paint_test {

inline SkinBitmap Filled(int width, int height, std::uint32_t pixel) {
  SkinBitmap b;
  b.width = width;
  b.height = height;
  b.pixels.assign(static_cast<std::size_t>(width) * height, pixel);
  return b;
}

inline SkinBitmap Random(int width, int height, std::uint32_t seed) {
  SkinBitmap b = Filled(width, height, 0);
  std::mt19937 rng(seed);
  for (auto& p : b.pixels) p = static_cast<std::uint32_t>(rng());
  return b;
}

// FNV-1a over the pixel values, little-endian whatever the host.
inline std::uint64_t Hash(const SkinBitmap& b) {
  std::uint64_t h = 1469598103934665603ull;
  auto mix = [&h](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      h ^= (v >> (8 * i)) & 0xFF;
      h *= 1099511628211ull;
    }
  };
  mix(static_cast<std::uint32_t>(b.width));
  mix(static_cast<std::uint32_t>(b.height));
  for (std::uint32_t p : b.pixels) mix(p);
  return h;
}

inline std::uint32_t Px(const SkinBitmap& b, int x, int y) { return b.pixels[static_cast<std::size_t>(y) * b.width + x]; }

}  // namespace paint_test
