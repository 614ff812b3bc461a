#include "tools/skingen/shadow_art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/skingen/drawing.h"

namespace klarvik {

namespace {

constexpr int kMargin = 9;

// How far outside the window's edge (x, y) lies, in pixels; 0 on or inside it.
double OutsideEdge(int x, int y) {
  const int inner = kShadowSize - 1 - kMargin;
  const double dx = x < kMargin ? kMargin - x : (x > inner ? x - inner : 0);
  const double dy = y < kMargin ? kMargin - y : (y > inner ? y - inner : 0);
  return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

SkinBitmap ShadowPicture(bool active) {
  const double peak = active ? 120 : 70;
  SkinBitmap picture = NewPicture(kShadowSize, kShadowSize);
  for (int y = 0; y < kShadowSize; ++y) {
    for (int x = 0; x < kShadowSize; ++x) {
      const double d = OutsideEdge(x, y);
      // Nothing under the window itself; a smooth fall from the edge outward.
      const double share = d == 0 ? 0 : std::pow(std::max(0.0, 1 - d / kMargin), 2);
      const auto alpha = static_cast<std::uint32_t>(std::lround(peak * share));
      picture.pixels[static_cast<std::size_t>(y) * kShadowSize + x] = alpha << 24;
    }
  }
  return picture;
}

}  // namespace klarvik
