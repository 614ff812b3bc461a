#include "tools/skingen/gauge_light.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "tools/skingen/drawing.h"

namespace klarvik {

namespace {

constexpr double kPeakAlpha = 140;
constexpr double kMiddleShare = 0.64;

// How far x lies from the middle of n pixels, 0 there and 1 at the outer ones; measured
// from the middle so that mirrored pixels get the very same number.
double FromMiddle(int x, int n) { return std::abs(2.0 * x - (n - 1)) / (n - 1); }

}  // namespace

SkinBitmap GaugeLightPicture() {
  SkinBitmap picture = NewPicture(kGaugeLightWidth, kGaugeLightHeight);
  for (int y = 0; y < kGaugeLightHeight; ++y) {
    const double v = FromMiddle(y, kGaugeLightHeight);
    const double down = kMiddleShare + (1 - kMiddleShare) * v * v;
    for (int x = 0; x < kGaugeLightWidth; ++x) {
      const double across = 0.5 + 0.5 * std::cos(std::numbers::pi * FromMiddle(x, kGaugeLightWidth));
      const auto alpha = static_cast<std::uint32_t>(std::lround(kPeakAlpha * across * down));
      picture.pixels[static_cast<std::size_t>(y) * kGaugeLightWidth + x] = alpha << 24 | 0xFFFFFF;
    }
  }
  return picture;
}

}  // namespace klarvik
