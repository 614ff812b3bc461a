#pragma once
// The soft glow behind skinned text: an 8-bit mask of the text (0 where the text is, 255
// where nothing is), blurred, then laid over the control's picture in the glow colour.
#include <cstdint>
#include <vector>

#include "base/color.h"
#include "base/geometry.h"
#include "base/pixel_view.h"

namespace klarvik {

struct GlowMask {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> values;  // row by row, no padding

  GlowMask() = default;
  GlowMask(int w, int h, std::uint8_t fill) : width(w), height(h), values(static_cast<std::size_t>(w) * h, fill) {}
  std::uint8_t& At(int x, int y) { return values[static_cast<std::size_t>(y) * width + x]; }
  std::uint8_t At(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }
};

// The weights of the blur of that radius, 2h + 1 of them summing to 1: a Gaussian of 201
// taps cut from the outside in, a pair at a time, until the dropped tails reach 1 / 510
// (or one tap is left each side). Empty for a radius of 0 or less.
std::vector<double> GlowKernel(int radius);

// Blurs rows, then columns, in place; beyond an edge the edge value stands. Each result is
// rounded to the nearest integer. A radius of 0 or less leaves the mask as it is.
void GaussianBlur8(GlowMask& mask, int radius);

// The blur with a kernel from GlowKernel (not empty). The scalar version is the
// reference: each result is the sum, from 0 in the kernel's order, of the products of
// weight and value in doubles, rounded half away from zero. The SSE2 version forms the same
// sums in the same order and gives the same bytes; GaussianBlur8 calls the fastest the
// processor runs.
namespace glow_blur_scalar {
void Blur(GlowMask& mask, const std::vector<double>& kernel);
}
namespace glow_blur_sse2 {
bool Available();
void Blur(GlowMask& mask, const std::vector<double>& kernel);
}

// Lays the mask over `target` with its top-left at `origin`: where the mask is v < 255,
// each colour channel D becomes C + (D - C) * v / 255 and the alpha A becomes
// A + (255 - v) * (255 - A) / 255 (integer division). Parts outside the target are left.
void ComposeGlow(PixelView target, const GlowMask& mask, Point origin, TColor color);

}  // namespace klarvik
