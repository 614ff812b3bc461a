#include "paint/primitives/text_glow.h"

#include <algorithm>
#include <cmath>

#include "base/pixel.h"

namespace klarvik {

namespace {

constexpr int kFullHalfWidth = 100;

}  // namespace

std::vector<double> GlowKernel(int radius) {
  if (radius <= 0) return {};
  std::vector<double> weights(2 * kFullHalfWidth + 1);
  double total = 0;
  for (int i = 0; i <= 2 * kFullHalfWidth; ++i) {
    const double x = static_cast<double>(i - kFullHalfWidth) / radius;
    weights[static_cast<std::size_t>(i)] = std::exp(-x * x / 2);
    total += weights[static_cast<std::size_t>(i)];
  }
  for (double& w : weights) w /= total;
  int half = kFullHalfWidth;
  double dropped = 0;
  while (half > 1 && dropped < 1.0 / 510) {
    dropped += weights[static_cast<std::size_t>(kFullHalfWidth - half)] + weights[static_cast<std::size_t>(kFullHalfWidth + half)];
    --half;
  }
  std::vector<double> kernel(weights.begin() + (kFullHalfWidth - half), weights.begin() + (kFullHalfWidth + half + 1));
  double kept = 0;
  for (double w : kernel) kept += w;
  for (double& w : kernel) w /= kept;
  return kernel;
}

void GaussianBlur8(GlowMask& mask, int radius) {
  const std::vector<double> kernel = GlowKernel(radius);
  if (kernel.empty() || mask.width <= 0 || mask.height <= 0) return;
  // Chosen once for the processor.
  using Blur = void (*)(GlowMask&, const std::vector<double>&);
  static const Blur blur = glow_blur_sse2::Available() ? glow_blur_sse2::Blur : glow_blur_scalar::Blur;
  blur(mask, kernel);
}

void ComposeGlow(PixelView target, const GlowMask& mask, Point origin, TColor color) {
  const std::uint32_t glow = ColorToPixel(color, 0);
  const int left = std::max(0, -origin.x), top = std::max(0, -origin.y);
  const int right = std::min(mask.width, target.width - origin.x), bottom = std::min(mask.height, target.height - origin.y);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const int v = mask.At(x, y);
      if (v == 255) continue;
      std::uint32_t& pixel = target.At(origin.x + x, origin.y + y);
      std::uint32_t result = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const int c = static_cast<int>((glow >> shift) & 0xFF), d = static_cast<int>((pixel >> shift) & 0xFF);
        result |= static_cast<std::uint32_t>(c + (d - c) * v / 255) << shift;
      }
      const int a = static_cast<int>(pixel >> 24);
      result |= static_cast<std::uint32_t>(a + (255 - v) * (255 - a) / 255) << 24;
      pixel = result;
    }
  }
}

}  // namespace klarvik
