#include "skin/image/pixel_rules.h"

namespace klarvik {

namespace {

template <typename Rule>
void ForEachPixel(const PixelView& view, Rule rule) {
  if (view.Empty()) return;
  for (int y = 0; y < view.height; ++y) {
    std::uint32_t* row = &view.At(0, y);
    for (int x = 0; x < view.width; ++x) row[x] = rule(row[x]);
  }
}

}  // namespace

void NormaliseTo32Bits(SkinBitmap& bitmap) {
  if (bitmap.sourceBits == 32) return;
  ForEachPixel(bitmap.View(), [](std::uint32_t pixel) {
    const std::uint32_t colour = pixel & 0x00FFFFFFu;
    return colour == kKeyPixel ? colour : colour | 0xFF000000u;
  });
  bitmap.sourceBits = 32;
}

void Premultiply(const PixelView& view) {
  ForEachPixel(view, [](std::uint32_t pixel) -> std::uint32_t {
    if (pixel == kTransparentWhite) return 0;
    const std::uint32_t alpha = pixel >> 24;
    // Each colour byte times alpha, divided by 256 and rounded down.
    const std::uint32_t redBlue = (((pixel & 0x00FF00FFu) * alpha) >> 8) & 0x00FF00FFu;
    const std::uint32_t green = (((pixel & 0x0000FF00u) * alpha) >> 8) & 0x0000FF00u;
    return (pixel & 0xFF000000u) | redBlue | green;
  });
}

void ClearTransparentWhite(const PixelView& view) {
  ForEachPixel(view, [](std::uint32_t pixel) { return pixel == kTransparentWhite ? 0u : pixel; });
}

void ApplyPngEntryRules(SkinBitmap& bitmap, PngAlphaRule rule) {
  if (bitmap.sourceBits == 32) {
    if (rule == PngAlphaRule::Premultiply) {
      Premultiply(bitmap.View());
    } else {
      ClearTransparentWhite(bitmap.View());
    }
  }
  NormaliseTo32Bits(bitmap);
}

}  // namespace klarvik
