#include "paint/primitives/gradient.h"

#include <algorithm>
#include <vector>

namespace klarvik {

namespace {

// nearest(num ÷ den) for den > 0, halves rounded up, for either sign of num.
long long RoundDiv(long long num, long long den) {
  const long long twice = 2 * num + den, d2 = 2 * den;
  return twice >= 0 ? twice / d2 : -((-twice + d2 - 1) / d2);
}

int Channel(std::uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

// Step j of n from c1 toward c2 (COLORREFs) as an opaque pixel: each channel
// nearest(c1 + j·(c2 − c1) ÷ n).
std::uint32_t StepPixel(std::uint32_t c1, std::uint32_t c2, long long j, long long n) {
  int rgb[3];
  for (int i = 0; i < 3; ++i) {
    const int a = Channel(c1, 8 * i), b = Channel(c2, 8 * i);
    rgb[i] = static_cast<int>(std::clamp<long long>(RoundDiv(a * n + j * (b - a), n), 0, 255));
  }
  return 0xFF000000u | static_cast<std::uint32_t>(rgb[0]) << 16 | static_cast<std::uint32_t>(rgb[1]) << 8 |
         static_cast<std::uint32_t>(rgb[2]);
}

std::uint32_t ColorOf(const TsGradStep& s) { return static_cast<std::uint32_t>(std::max(ColorValue(s.Color1), 0)); }
std::uint32_t Color2Of(const TsGradStep& s) { return static_cast<std::uint32_t>(std::max(ColorValue(s.Color2), 0)); }

// The gradient's values along one axis of `length` pixels starting at `start` (relative
// to the area's own origin): a value per position 0..length − 1.
std::vector<std::uint32_t> AxisValues(const TsGradArray& g, int length, int offset, bool byRows) {
  std::vector<std::uint32_t> out(static_cast<std::size_t>(std::max(length, 0)), 0xFF000000u | 0);
  if (length <= 0 || g.empty()) return out;
  long long pos = offset;  // position of the next stop's first pixel
  for (std::size_t i = 0; i < g.size(); ++i) {
    const long long share = std::clamp<int>(g[i].Percent, 0, 100);
    long long end;
    if (i + 1 == g.size()) {
      end = length;  // the last stop always runs to the end
    } else if (byRows) {
      end = std::min(pos + (length + offset) * share / 100, static_cast<long long>(length - 1));
    } else {
      end = pos + RoundDiv(share * length, 100);
    }
    const long long n = end - pos;
    for (long long p = std::max(pos, 0LL); p < std::min(end, static_cast<long long>(length)); ++p) {
      out[static_cast<std::size_t>(p)] = StepPixel(ColorOf(g[i]), Color2Of(g[i]), p - pos, n);
    }
    pos = std::max(pos, end);
  }
  return out;
}

// Barycentric fill of one triangle at doubled coordinates (pixel centres are odd), with
// each channel rounded to the nearest integer. Pixels outside are left alone.
struct Vertex {
  long long x, y;
  std::uint32_t color;
};

void FillTriangle(PixelView bitmap, const Rect& clip, const Rect& area, Vertex a, Vertex b, Vertex c) {
  const long long det = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  if (det == 0) return;
  for (int y = clip.top; y < clip.bottom; ++y) {
    const long long py = 2LL * (y - area.top) + 1;
    for (int x = clip.left; x < clip.right; ++x) {
      const long long px = 2LL * (x - area.left) + 1;
      long long wa = (b.x - px) * (c.y - py) - (c.x - px) * (b.y - py);
      long long wb = (c.x - px) * (a.y - py) - (a.x - px) * (c.y - py);
      long long wc = det - wa - wb;
      if (det < 0) {
        wa = -wa;
        wb = -wb;
        wc = -wc;
      }
      if (wa < 0 || wb < 0 || wc < 0) continue;
      const long long total = wa + wb + wc;
      std::uint32_t out = 0xFF000000u;
      for (int shift = 0; shift < 24; shift += 8) {
        const long long v = wa * Channel(a.color, shift) + wb * Channel(b.color, shift) + wc * Channel(c.color, shift);
        out |= static_cast<std::uint32_t>(std::clamp<long long>(RoundDiv(v, total), 0, 255)) << shift;
      }
      bitmap.At(x, y) = out;
    }
  }
}

// The four triangles through top-left, centre, top-right, bottom-right and bottom-left,
// coloured by the first colour of stops 1 to 5 (missing stops repeat the previous one).
void PaintTriangles(PixelView bitmap, const Rect& area, const Rect& clip, const TsGradArray& g) {
  std::uint32_t colors[5];
  for (std::size_t i = 0; i < 5; ++i) {
    const std::uint32_t c = i < g.size() ? ColorOf(g[i]) : colors[i - 1];
    colors[i] = 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }
  const long long w = 2LL * area.Width(), h = 2LL * area.Height();
  const Vertex tl{0, 0, colors[0]}, centre{w / 2, h / 2, colors[1]}, tr{w, 0, colors[2]}, br{w, h, colors[3]},
      bl{0, h, colors[4]};
  FillTriangle(bitmap, clip, area, tl, centre, tr);
  FillTriangle(bitmap, clip, area, centre, tr, br);
  FillTriangle(bitmap, clip, area, tl, centre, bl);
  FillTriangle(bitmap, clip, area, bl, centre, br);
}

// Pixel of the gradient at (x, y) of the area, from precomputed axis values.
struct GradientPixels {
  bool byRows;
  std::vector<std::uint32_t> values;
  std::uint32_t At(int x, int y) const { return values[static_cast<std::size_t>(byRows ? y : x)]; }
};

GradientPixels AxisGradient(const TsGradArray& g, const Rect& area, int offset) {
  const bool byRows = DirectionOf(g) != kGradientHorizontal;
  return {byRows, AxisValues(g, byRows ? area.Height() : area.Width(), offset, byRows)};
}

}  // namespace

GradientDirection DirectionOf(const TsGradArray& gradient) {
  if (gradient.empty()) return kGradientVertical;
  switch (gradient.front().Mode) {
    case kGradientHorizontal: return kGradientHorizontal;
    case kGradientTriangles: return kGradientTriangles;
    default: return kGradientVertical;
  }
}

void PaintGradient(PixelView bitmap, const Rect& rect, const TsGradArray& gradient, int offset) {
  if (bitmap.Empty() || rect.Empty() || gradient.empty()) return;
  const Rect clip = rect.Intersect(BoundsOf(bitmap.width, bitmap.height));
  if (clip.Empty()) return;
  if (DirectionOf(gradient) == kGradientTriangles) {
    PaintTriangles(bitmap, rect, clip, gradient);
    return;
  }
  const GradientPixels g = AxisGradient(gradient, rect, offset);
  // The stops start at the offset: what lies before it is left as it is.
  const int start = static_cast<int>(std::clamp<long long>(offset, 0, g.byRows ? rect.Height() : rect.Width()));
  if (g.byRows) {
    for (int y = std::max(clip.top, rect.top + start); y < clip.bottom; ++y) {
      std::fill(&bitmap.At(clip.left, y), &bitmap.At(clip.left, y) + clip.Width(), g.At(0, y - rect.top));
    }
    return;
  }
  // One row computed, copied to every other row.
  const int left = std::max(clip.left, rect.left + start);
  if (left >= clip.right) return;
  const std::uint32_t* row = g.values.data() + (left - rect.left);
  for (int y = clip.top; y < clip.bottom; ++y) std::copy(row, row + (clip.right - left), &bitmap.At(left, y));
}

void PaintGradientTexture(PixelView bitmap, const Rect& rect, const TsGradArray& gradient, int textureAlpha,
                          const Rect& textureRect, const PixelView& texture) {
  if (bitmap.Empty() || rect.Empty()) return;
  const Rect tex = textureRect.Intersect(BoundsOf(texture.width, texture.height));
  if (tex.Empty()) {
    PaintGradient(bitmap, rect, gradient);
    return;
  }
  const Rect clip = rect.Intersect(BoundsOf(bitmap.width, bitmap.height));
  const GradientPixels g = AxisGradient(gradient, rect, 0);
  const int a = std::clamp(textureAlpha, 0, 255);
  for (int y = clip.top; y < clip.bottom; ++y) {
    const std::uint32_t* trow = &texture.At(0, tex.top + (y - rect.top) % tex.Height());
    std::uint32_t* d = &bitmap.At(0, y);
    for (int x = clip.left; x < clip.right; ++x) {
      const std::uint32_t gp = gradient.empty() ? 0xFF000000u : g.At(x - rect.left, y - rect.top);
      const std::uint32_t tp = trow[tex.left + (x - rect.left) % tex.Width()];
      std::uint32_t out = 0xFF000000u;
      for (int shift = 0; shift < 24; shift += 8) {
        const int gc = Channel(gp, shift), tc = Channel(tp, shift);
        out |= static_cast<std::uint32_t>(gc + (((tc - gc) * a) >> 8)) << shift;
      }
      d[x] = out;
    }
  }
}

}  // namespace klarvik
