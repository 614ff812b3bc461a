#include <algorithm>
#include <cmath>

#include "paint/primitives/text_glow.h"

namespace klarvik {

namespace {

std::uint8_t RoundToByte(double value) { return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L)); }

// One row or column: `count` values `stride` apart, convolved with the kernel.
void BlurLine(std::uint8_t* first, int count, std::ptrdiff_t stride, const std::vector<double>& kernel, std::vector<std::uint8_t>& line) {
  const int half = static_cast<int>(kernel.size() / 2);
  line.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) line[static_cast<std::size_t>(i)] = first[i * stride];
  for (int i = 0; i < count; ++i) {
    double sum = 0;
    for (int k = -half; k <= half; ++k) {
      const int at = std::clamp(i + k, 0, count - 1);
      sum += kernel[static_cast<std::size_t>(k + half)] * line[static_cast<std::size_t>(at)];
    }
    first[i * stride] = RoundToByte(sum);
  }
}

}  // namespace

namespace glow_blur_scalar {

void Blur(GlowMask& mask, const std::vector<double>& kernel) {
  if (mask.width <= 0 || mask.height <= 0) return;
  std::vector<std::uint8_t> line;
  for (int y = 0; y < mask.height; ++y) BlurLine(&mask.At(0, y), mask.width, 1, kernel, line);
  for (int x = 0; x < mask.width; ++x) BlurLine(&mask.At(x, 0), mask.height, mask.width, kernel, line);
}

}  // namespace glow_blur_scalar

}  // namespace klarvik
