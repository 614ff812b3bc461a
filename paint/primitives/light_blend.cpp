#include "paint/primitives/light_blend.h"

#include <algorithm>
#include <cstdint>

#include "paint/primitives/blend.h"

namespace klarvik {

namespace {

// w·(L − D) may be negative, but with w ≤ 255 the sum w·(L − D) + 256·D never is, so the
// shift is a floor division: the result rounds down whether the light is brighter or
// darker than the pixel (D + w·(L − D) / 256 would round toward D where L < D).
std::uint32_t LightUp(std::uint32_t pixel, std::uint32_t light, int weight) {
  std::uint32_t out = pixel & 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = static_cast<int>((pixel >> shift) & 0xFF), l = static_cast<int>((light >> shift) & 0xFF);
    out |= static_cast<std::uint32_t>(OverChannel(d, l, weight)) << shift;
  }
  return out;
}

}  // namespace

void BlendLightThroughMask(PixelView destination, const PixelView& light, const PixelView& mask, const Rect& rect) {
  if (destination.Empty() || light.Empty() || mask.Empty()) return;
  // The destination first: once the area lies in it, rect.left + a picture's width cannot overflow.
  Rect area = rect.Intersect(BoundsOf(destination.width, destination.height));
  if (area.Empty()) return;
  area = area.Intersect({rect.left, rect.top, rect.left + std::min(light.width, mask.width),
                         rect.top + std::min(light.height, mask.height)});
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const int m = static_cast<int>((mask.At(x - rect.left, y - rect.top) >> 16) & 0xFF);
      if (m == 255) continue;
      const std::uint32_t l = light.At(x - rect.left, y - rect.top);
      const int a = static_cast<int>(l >> 24);
      std::uint32_t& d = destination.At(x, y);
      d = LightUp(d, l, m == 0 ? a : ((255 - m) * a) >> 8);
    }
  }
}

}  // namespace klarvik
