#include <cmath>

#include "paint/primitives/blend.h"
#include "base/pixel.h"

namespace klarvik {

namespace {

int Channel(std::uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }

}  // namespace

namespace blend_scalar {

void KeepRow(std::uint32_t* dst, const std::uint32_t* src, int count, int k) {
  for (int i = 0; i < count; ++i) {
    const std::uint32_t d = dst[i], s = src[i];
    std::uint32_t out = d & 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
      out |= static_cast<std::uint32_t>(KeepChannel(Channel(d, shift), Channel(s, shift), k)) << shift;
    }
    dst[i] = out;
  }
}

void OverRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
  for (int i = 0; i < count; ++i) {
    const std::uint32_t d = dst[i], s = src[i];
    const int a = Channel(s, 24);
    std::uint32_t out = static_cast<std::uint32_t>(OverAlpha(Channel(d, 24), a)) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
      out |= static_cast<std::uint32_t>(OverChannel(Channel(d, shift), Channel(s, shift), a)) << shift;
    }
    dst[i] = out;
  }
}

void MaskedRow(std::uint32_t* dst, const std::uint32_t* image, const std::uint32_t* mask, int count,
               const MaskedRowHoles& holes) {
  const std::uint32_t opaque = holes.opaque ? 0xFF000000u : 0u;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t d = dst[i], s = image[i];
    if (!holes.keyBlends && IsKeyPixel(s)) {
      if (holes.parent) {
        dst[i] = holes.parent[i] | opaque;
      } else if (holes.fill) {
        dst[i] = holes.fillPixel | opaque;
      } else {
        dst[i] = d | opaque;
      }
      continue;
    }
    const std::uint32_t m = mask[i];
    std::uint32_t out = (d & 0xFF000000) | opaque;
    for (int shift = 0; shift < 24; shift += 8) {
      out |= static_cast<std::uint32_t>(KeepChannel(Channel(d, shift), Channel(s, shift), Channel(m, shift))) << shift;
    }
    dst[i] = out;
  }
}

}  // namespace blend_scalar

}  // namespace klarvik
