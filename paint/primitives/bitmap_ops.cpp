#include "paint/primitives/bitmap_ops.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "paint/primitives/blend.h"

namespace klarvik {

SkinBitmap CreateBitmap32(int width, int height) {
  SkinBitmap b;
  if (width <= 0 || height <= 0) return b;
  b.width = width;
  b.height = height;
  b.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  return b;
}

PixelView ConstView(const SkinBitmap& bitmap) {
  // The core's view type has no const flavour; callers only read through this one.
  return PixelView{bitmap.width, bitmap.height, bitmap.width, const_cast<std::uint32_t*>(bitmap.pixels.data())};
}

BlitArea ClipBlit(const PixelView& dst, int dx, int dy, const PixelView& src, const Rect& srcRect) {
  BlitArea a{dx, dy, srcRect.left, srcRect.top, srcRect.Width(), srcRect.Height()};
  if (dst.Empty() || src.Empty() || a.Empty()) return {};
  auto clipStart = [](int& d, int& s, int& size) {
    const int shift = std::max(std::max(0 - d, 0 - s), 0);
    d += shift;
    s += shift;
    size -= shift;
  };
  clipStart(a.dx, a.sx, a.width);
  clipStart(a.dy, a.sy, a.height);
  a.width = std::min({a.width, dst.width - a.dx, src.width - a.sx});
  a.height = std::min({a.height, dst.height - a.dy, src.height - a.sy});
  return a.Empty() ? BlitArea{} : a;
}

namespace {

Rect ClipTo(const PixelView& v, const Rect& r) { return v.Empty() ? Rect{} : r.Intersect(BoundsOf(v.width, v.height)); }

}  // namespace

void FillRect32(PixelView bitmap, const Rect& rect, TColor color, std::uint8_t alpha) {
  const Rect r = ClipTo(bitmap, rect);
  if (r.Empty()) return;
  const std::uint32_t pixel = ColorToPixel(color, alpha);
  for (int y = r.top; y < r.bottom; ++y) std::fill(&bitmap.At(r.left, y), &bitmap.At(r.left, y) + r.Width(), pixel);
}

void SetRectAlpha(PixelView bitmap, const Rect& rect, std::uint8_t alpha, TColor key) {
  const Rect r = ClipTo(bitmap, rect);
  if (r.Empty()) return;
  const std::uint32_t high = static_cast<std::uint32_t>(alpha) << 24;
  for (int y = r.top; y < r.bottom; ++y) {
    std::uint32_t* row = &bitmap.At(0, y);
    for (int x = r.left; x < r.right; ++x) {
      if (!MatchesKey(row[x], key)) row[x] = (row[x] & 0x00FFFFFF) | high;
    }
  }
}

void FadeRectToColor(PixelView bitmap, const Rect& rect, int keepPercent, TColor color) {
  const Rect r = ClipTo(bitmap, rect);
  if (r.Empty()) return;
  const int p = std::clamp(keepPercent, 0, 100);
  const std::uint32_t c = ColorToPixel(color, 0);
  // Exact nearest of (p·D + (100 − p)·C) ÷ 100, halves rounded up, looked up per channel.
  std::uint32_t table[3][256];
  for (int ch = 0; ch < 3; ++ch) {
    const int cc = static_cast<int>((c >> (8 * ch)) & 0xFF);
    for (int d = 0; d < 256; ++d) table[ch][d] = static_cast<std::uint32_t>((p * d + (100 - p) * cc + 50) / 100) << (8 * ch);
  }
  for (int y = r.top; y < r.bottom; ++y) {
    std::uint32_t* row = &bitmap.At(0, y);
    for (int x = r.left; x < r.right; ++x) {
      const std::uint32_t v = row[x];
      row[x] = (v & 0xFF000000) | table[0][v & 0xFF] | table[1][(v >> 8) & 0xFF] | table[2][(v >> 16) & 0xFF];
    }
  }
}

void BlendBitmaps(PixelView dst, const PixelView& src, int k) {
  if (dst.Empty() || src.Empty() || dst.width != src.width || dst.height != src.height) return;
  for (int y = 0; y < dst.height; ++y) KeepRow(&dst.At(0, y), &src.At(0, y), dst.width, k);
}

void BlendBitmapRect(PixelView dst, const PixelView& src, int k, Point dstPoint, const Rect& srcRect) {
  const BlitArea a = ClipBlit(dst, dstPoint.x, dstPoint.y, src, srcRect);
  for (int y = 0; y < a.height; ++y) KeepRow(&dst.At(a.dx, a.dy + y), &src.At(a.sx, a.sy + y), a.width, k);
}

void BlendKeyedImage(PixelView dst, int x, int y, TColor key, double transparency, const Rect& srcRect,
                     const PixelView& src) {
  const BlitArea a = ClipBlit(dst, x, y, src, srcRect);
  for (int row = 0; row < a.height; ++row) {
    std::uint32_t* d = &dst.At(a.dx, a.dy + row);
    const std::uint32_t* s = &src.At(a.sx, a.sy + row);
    for (int i = 0; i < a.width; ++i) {
      if (MatchesKey(s[i], key)) continue;
      std::uint32_t out = d[i] & 0xFF000000;
      for (int shift = 0; shift < 24; shift += 8) {
        const int sc = (s[i] >> shift) & 0xFF, dc = (d[i] >> shift) & 0xFF;
        out |= static_cast<std::uint32_t>(std::clamp(static_cast<int>(std::lround(sc - (sc - dc) * transparency)), 0, 255))
               << shift;
      }
      d[i] = out;
    }
  }
}

void CopyRect(PixelView dst, int dx, int dy, const PixelView& src, const Rect& srcRect) {
  const BlitArea a = ClipBlit(dst, dx, dy, src, srcRect);
  for (int y = 0; y < a.height; ++y) {
    std::memmove(&dst.At(a.dx, a.dy + y), &src.At(a.sx, a.sy + y), static_cast<std::size_t>(a.width) * 4);
  }
}

void StretchRect(PixelView dst, const Rect& dstRect, const PixelView& src, const Rect& srcRect) {
  if (dstRect.Empty() || srcRect.Empty() || dst.Empty() || src.Empty()) return;
  const Rect clip = ClipTo(dst, dstRect);
  const int dw = dstRect.Width(), dh = dstRect.Height(), sw = srcRect.Width(), sh = srcRect.Height();
  for (int y = clip.top; y < clip.bottom; ++y) {
    // The source row under the centre of the destination row.
    const int sy = srcRect.top + static_cast<int>((2LL * (y - dstRect.top) + 1) * sh / (2LL * dh));
    if (sy < 0 || sy >= src.height) continue;
    std::uint32_t* d = &dst.At(0, y);
    const std::uint32_t* s = &src.At(0, sy);
    for (int x = clip.left; x < clip.right; ++x) {
      const int sx = srcRect.left + static_cast<int>((2LL * (x - dstRect.left) + 1) * sw / (2LL * dw));
      if (sx >= 0 && sx < src.width) d[x] = s[sx];
    }
  }
}

void GrayscaleBitmap(PixelView bitmap, TColor key) {
  if (bitmap.Empty()) return;
  for (int y = 0; y < bitmap.height; ++y) {
    std::uint32_t* row = &bitmap.At(0, y);
    for (int x = 0; x < bitmap.width; ++x) {
      if (MatchesKey(row[x], key)) continue;
      const std::uint32_t p = row[x];
      const std::uint32_t mean = (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 3;
      row[x] = (p & 0xFF000000) | mean * 0x010101u;
    }
  }
}

SkinBitmap RotateBitmap90(const PixelView& src, RotateDirection direction) {
  if (src.Empty()) return {};
  SkinBitmap out = CreateBitmap32(src.height, src.width);
  PixelView o = out.View();
  for (int y = 0; y < src.height; ++y) {
    for (int x = 0; x < src.width; ++x) {
      if (direction == RotateDirection::kClockwise) {
        o.At(src.height - y - 1, x) = src.At(x, y);
      } else {
        o.At(y, x) = src.At(src.width - x - 1, y);
      }
    }
  }
  return out;
}

}  // namespace klarvik
