#include <vector>

#include "paint/primitives/resample.h"

namespace klarvik {

namespace {

// Sums below 0 give 0, sums of 0xFF0001 and above 255, others their top 16 bits.
std::uint32_t ToChannel(std::int32_t sum) {
  if (sum < 0) return 0;
  if (sum >= 0xFF0001) return 255;
  return static_cast<std::uint32_t>(sum) >> 16;
}

std::uint32_t Weigh(const ResampleAxis& axis, int i, const std::uint32_t* line, std::ptrdiff_t step) {
  std::int32_t sum[4] = {0, 0, 0, 0};
  for (int c = axis.start[i]; c < axis.start[i + 1]; ++c) {
    const std::uint32_t p = line[axis.index[c] * step];
    for (int ch = 0; ch < 4; ++ch) sum[ch] += static_cast<std::int32_t>((p >> (8 * ch)) & 0xFF) * axis.weight[c];
  }
  return ToChannel(sum[0]) | ToChannel(sum[1]) << 8 | ToChannel(sum[2]) << 16 | ToChannel(sum[3]) << 24;
}

}  // namespace

namespace resample_scalar {

void Resample(const PixelView& src, PixelView dst, const ResampleAxis& columns, const ResampleAxis& rows) {
  std::vector<std::uint32_t> between(static_cast<std::size_t>(dst.width) * src.height);
  for (int y = 0; y < src.height; ++y) {
    for (int x = 0; x < dst.width; ++x) between[static_cast<std::size_t>(y) * dst.width + x] = Weigh(columns, x, &src.At(0, y), 1);
  }
  for (int y = 0; y < dst.height; ++y) {
    for (int x = 0; x < dst.width; ++x) dst.At(x, y) = Weigh(rows, y, &between[x], dst.width);
  }
}

}  // namespace resample_scalar

}  // namespace klarvik
