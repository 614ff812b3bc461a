#include "paint/primitives/alpha_image.h"

#include <algorithm>

#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/blend.h"

namespace klarvik {

namespace {

std::uint32_t Over(std::uint32_t d, std::uint32_t s, int a) {
  std::uint32_t out = static_cast<std::uint32_t>(OverAlpha(static_cast<int>(d >> 24), a)) << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    out |= static_cast<std::uint32_t>(OverChannel((d >> shift) & 0xFF, (s >> shift) & 0xFF, a)) << shift;
  }
  return out;
}

// One source row drawn over one destination row; alphaOf turns a source alpha into the
// alpha actually used.
template <typename AlphaOf>
void DrawRow(std::uint32_t* d, const std::uint32_t* s, int count, int dx, int dy, const AlphaImageOptions& o,
             AlphaOf alphaOf) {
  for (int i = 0; i < count; ++i) {
    if (MatchesKey(s[i], o.key)) {
      if (o.useParent) {
        if (const std::uint32_t* p = o.parent.PixelUnder(dx + i, dy)) d[i] = *p;
      }
      continue;
    }
    d[i] = Over(d[i], s[i], alphaOf(static_cast<int>(s[i] >> 24)));
  }
}

}  // namespace

void CopyAlphaImage(const Rect& dstRect, const Rect& srcRect, PixelView dst, const AlphaImageOptions& options,
                    const PixelView& src) {
  const int width = std::min(dstRect.Width(), srcRect.Width());
  const int height = std::min(dstRect.Height(), srcRect.Height());
  if (width <= 0 || height <= 0) return;
  const int keep = 100 - std::clamp(options.transparency, 0, 100);
  const Rect source{srcRect.left, srcRect.top, srcRect.left + width, srcRect.top + height};
  const BlitArea a = ClipBlit(dst, dstRect.left, dstRect.top, src, source);
  for (int y = 0; y < a.height; ++y) {
    DrawRow(&dst.At(a.dx, a.dy + y), &src.At(a.sx, a.sy + y), a.width, a.dx, a.dy + y, options,
            [keep](int alpha) { return keep * alpha / 100; });
  }
  if (!options.reflected || a.Empty()) return;

  // The mirror: at most half the source height, never past the destination bitmap.
  const int below = dstRect.top + height;
  const int rows = std::min(height / 2, dst.height - below);
  const int fall = 255 / height;  // height is above 0 here
  int f = 255;
  for (int i = 1; i <= rows; ++i, f = std::max(f - fall, 0)) {
    const int sy = std::clamp(source.bottom - i - 1, 0, src.height - 1);
    const int y = below + i - 1;
    if (y < 0) continue;
    const int weight = f * keep / 100;
    DrawRow(&dst.At(a.dx, y), &src.At(a.sx, sy), a.width, a.dx, y, options,
            [=](int alpha) { return alpha * (rows - i) / rows * weight / 1024; });
  }
}

}  // namespace klarvik
