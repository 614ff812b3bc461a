#include "paint/primitives/border_mask.h"

#include <algorithm>

#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/blend.h"
#include "paint/primitives/mask_entry.h"
#include "paint/primitives/resample.h"

namespace klarvik {

namespace {

bool SameBitmap(const PixelView& a, const PixelView& b) { return a.pixels != nullptr && a.pixels == b.pixels; }

// One destination row of a masked piece, split where the parent's pixels start and end.
void MaskedRowOverParent(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* m, int count, int x, int y,
                         const TacParentCache& cache) {
  MaskedRowHoles keep;
  keep.opaque = true;
  const int py = y + cache.OffsetY;
  if (cache.Image.Empty() || py < 0 || py >= cache.Image.height) {
    MaskedRow(d, s, m, count, keep);
    return;
  }
  const int px = x + cache.OffsetX;
  const int from = std::clamp(-px, 0, count);                      // first column with a parent pixel
  const int to = std::clamp(cache.Image.width - px, from, count);  // one past the last
  MaskedRow(d, s, m, from, keep);
  MaskedRowHoles parent = keep;
  parent.parent = &cache.Image.At(px + from, py);
  MaskedRow(d + from, s + from, m + from, to - from, parent);
  MaskedRow(d + to, s + to, m + to, count - to, keep);
}

// Tiles a piece of source size (sw, sh) at (sx, sy) over dstRect: pieces one after another
// from the top-left, the last ones cut. A piece size of 0 is never tiled.
template <typename Put>
void Tile(const Rect& dstRect, int sx, int sy, int sw, int sh, Put put) {
  if (sw <= 0 || sh <= 0 || dstRect.Empty()) return;
  for (int y = dstRect.top; y < dstRect.bottom; y += sh) {
    for (int x = dstRect.left; x < dstRect.right; x += sw) {
      put(Point{x, y}, Rect{sx, sy, sx + std::min(sw, dstRect.right - x), sy + std::min(sh, dstRect.bottom - y)});
    }
  }
}

}  // namespace

void BlitMaskedPiece(PixelView dst, Point at, const Rect& srcRect, int maskOffset, bool corner,
                     const TacParentCache& cache, const PixelView& src) {
  const BlitArea a = ClipBlit(dst, at.x, at.y, src, srcRect);
  MaskedRowHoles plain;
  if (corner && !cache.Ready) {
    plain.fill = true;
    plain.fillPixel = ColorToPixel(cache.FillColor, 0);
  }
  for (int row = 0; row < a.height; ++row) {
    const int sy = a.sy + row;
    const int my = std::min(sy + maskOffset, src.height - 1);
    std::uint32_t* d = &dst.At(a.dx, a.dy + row);
    const std::uint32_t* s = &src.At(a.sx, sy);
    const std::uint32_t* m = &src.At(a.sx, my);
    if (corner && cache.Ready) {
      MaskedRowOverParent(d, s, m, a.width, a.dx, a.dy + row, cache);
    } else {
      MaskedRow(d, s, m, a.width, plain);
    }
  }
}

void StretchMaskedPiece(PixelView dst, const Rect& dstRect, bool centre, int maskOffset, const PixelView& src,
                        const Rect& srcRect) {
  const int dw = dstRect.Width(), dh = dstRect.Height(), sw = srcRect.Width(), sh = srcRect.Height();
  if (dstRect.left < 0 || dstRect.top < 0 || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  if (dw * static_cast<long long>(dh) <= 1 || dst.Empty() || src.Empty()) return;
  if (srcRect.left < 0 || srcRect.top < 0 || srcRect.right > src.width || srcRect.bottom + maskOffset > src.height) return;
  if (maskOffset == 0) {
    StretchRect(dst, dstRect, src, srcRect);
    return;
  }
  const Rect clip = dstRect.Intersect(BoundsOf(dst.width, dst.height));
  if (clip.Empty()) return;

  if (centre && sw == 1 && sh == 1) {
    // A one-pixel centre is one colour C with one mask value m.
    const std::uint32_t c = src.At(srcRect.left, srcRect.top);
    const int m = static_cast<int>((src.At(srcRect.left, srcRect.top + maskOffset) >> 16) & 0xFF);
    if (m == 255) return;
    for (int y = clip.top; y < clip.bottom; ++y) {
      std::uint32_t* d = &dst.At(0, y);
      for (int x = clip.left; x < clip.right; ++x) {
        std::uint32_t out = 0xFF000000;
        for (int shift = 0; shift < 24; shift += 8) {
          out |= static_cast<std::uint32_t>(KeepChannel((d[x] >> shift) & 0xFF, (c >> shift) & 0xFF, m)) << shift;
        }
        d[x] = out;
      }
    }
    return;
  }

  const Rect maskRect = srcRect.Offset(0, maskOffset);
  SkinBitmap image = CreateBitmap32(dw, dh), mask = CreateBitmap32(dw, dh);
  const bool shrinksOneWay = (sw > dw && sh == dh) || (sh > dh && sw == dw);
  const bool sameSize = sw == dw && sh == dh;
  if ((shrinksOneWay || centre) && !sameSize && dw > 1 && dh > 1 && sw > 1 && sh > 1) {
    SkinBitmap piece = CreateBitmap32(sw, sh), pieceMask = CreateBitmap32(sw, sh);
    CopyRect(piece.View(), 0, 0, src, srcRect);
    CopyRect(pieceMask.View(), 0, 0, src, maskRect);
    // Image and mask share their weights.
    const ResampleAxis columns = MakeResampleAxis(sw, dw, ResampleFilter::kMitchell);
    const ResampleAxis rows = MakeResampleAxis(sh, dh, ResampleFilter::kMitchell);
    ResampleWithAxes(ConstView(piece), image.View(), columns, rows);
    ResampleWithAxes(ConstView(pieceMask), mask.View(), columns, rows);
  } else {
    // Also the way for pieces one pixel thin, which the resampler refuses.
    StretchRect(image.View(), BoundsOf(dw, dh), src, srcRect);
    StretchRect(mask.View(), BoundsOf(dw, dh), src, maskRect);
  }
  // Every pixel, key-coloured ones included, goes through its mask.
  MaskedRowHoles everyPixel;
  everyPixel.opaque = true;
  everyPixel.keyBlends = true;
  const PixelView iv = image.View(), mv = mask.View();
  for (int y = clip.top; y < clip.bottom; ++y) {
    const int ty = y - dstRect.top, tx = clip.left - dstRect.left;
    MaskedRow(&dst.At(clip.left, y), &iv.At(tx, ty), &mv.At(tx, ty), clip.Width(), everyPixel);
  }
}

void BlitKeyedPiece(PixelView dst, const PixelView& src, int x, int y, bool corner, const TacParentCache& cache,
                    TColor key, const Rect& srcRect) {
  const BlitArea a = ClipBlit(dst, x, y, src, srcRect);
  const bool onItself = cache.Ready && SameBitmap(cache.Image, dst);
  const std::uint32_t copiedAlpha = onItself ? 0xFF000000 : 0;
  const std::uint32_t fill = ColorToPixel(cache.FillColor, 0);
  for (int row = 0; row < a.height; ++row) {
    std::uint32_t* d = &dst.At(a.dx, a.dy + row);
    const std::uint32_t* s = &src.At(a.sx, a.sy + row);
    for (int i = 0; i < a.width; ++i) {
      if (!MatchesKey(s[i], key)) {
        d[i] = s[i] | copiedAlpha;
      } else if (!cache.Ready) {
        d[i] = fill;
      } else if (corner && !onItself) {
        if (const std::uint32_t* p = cache.PixelUnder(a.dx + i, a.dy + row)) d[i] = *p;
      }
    }
  }
}

BorderWidths FitBorderWidths(BorderWidths w, int width, int height) {
  auto fit = [](int& first, int& second, int size) {
    const int excess = first + second - size;
    if (excess <= 0) return;
    const int half = excess / 2;
    first = std::max(first - half, 0);
    second = std::max(second - half - (excess % 2), 0);
  };
  fit(w.left, w.right, width);
  fit(w.top, w.bottom, height);
  return w;
}

void DrawBorderMask(PixelView dst, const Rect& rect, const TacParentCache& cache, bool cornersFromParent, int state,
                    const TsMaskData& entry, const TsSkinTables* tables) {
  if (tables == nullptr || dst.Empty()) return;
  if (state == 0 && (entry.FillMode & kFillNoStateZero) != 0) return;
  if (rect.Width() < 2 || rect.Height() < 2) return;
  const int index = EntryStateIndex(entry, state);
  if (index < 0) return;
  const PixelView src = EntryImage(*tables, entry);
  if (src.Empty()) return;

  const BorderWidths b = FitBorderWidths(
      {std::max<int>(entry.BorderLeft, 0), std::max<int>(entry.BorderTop, 0), std::max<int>(entry.BorderRight, 0),
       std::max<int>(entry.BorderBottom, 0)},
      rect.Width(), rect.Height());
  const Rect s = EntryStateRect(entry, index);
  const int W = s.Width(), H = s.Height();
  const int cw = W - b.left - b.right, ch = H - b.top - b.bottom;
  if (cw < 0 || ch < 0) return;

  const bool masked = EntryHasMask(entry);
  const bool stretch = (entry.FillMode & kFillStretchSides) != 0;
  const bool cornerParent = cornersFromParent && entry.CornerKind > 0;
  const TacParentCache none{};
  const int innerW = rect.Width() - b.left - b.right, innerH = rect.Height() - b.top - b.bottom;

  // Source columns and rows of the three bands.
  const int sxL = s.left, sxC = s.left + b.left, sxR = s.right - b.right;
  const int syT = s.top, syC = s.top + b.top, syB = s.bottom - b.bottom;
  const int dxL = rect.left, dxC = rect.left + b.left, dxR = rect.right - b.right;
  const int dyT = rect.top, dyC = rect.top + b.top, dyB = rect.bottom - b.bottom;

  auto corner = [&](int dx, int dy, int sx, int sy, int w, int h) {
    if (w <= 0 || h <= 0) return;
    const Rect piece{sx, sy, sx + w, sy + h};
    if (masked) {
      BlitMaskedPiece(dst, {dx, dy}, piece, H, cornerParent, cornerParent ? cache : none, src);
    } else {
      BlitKeyedPiece(dst, src, dx, dy, cornerParent, cache, kKeyColor, piece);
    }
  };
  auto band = [&](const Rect& target, int sx, int sy, int sw, int sh, bool isCentre) {
    if (target.Empty() || sw <= 0 || sh <= 0) return;
    if (stretch) {
      StretchMaskedPiece(dst, target, isCentre, masked ? H : 0, src, {sx, sy, sx + sw, sy + sh});
      return;
    }
    Tile(target, sx, sy, sw, sh, [&](Point at, const Rect& piece) {
      if (masked) {
        BlitMaskedPiece(dst, at, piece, H, false, none, src);
      } else {
        CopyRect(dst, at.x, at.y, src, piece);
      }
    });
  };

  corner(dxL, dyT, sxL, syT, b.left, b.top);
  band({dxL, dyC, dxL + b.left, dyC + innerH}, sxL, syC, b.left, ch, false);
  band({dxC, dyT, dxC + innerW, dyT + b.top}, sxC, syT, cw, b.top, false);
  corner(dxL, dyB, sxL, syB, b.left, b.bottom);
  band({dxC, dyB, dxC + innerW, dyB + b.bottom}, sxC, syB, cw, b.bottom, false);
  corner(dxR, dyB, sxR, syB, b.right, b.bottom);
  corner(dxR, dyT, sxR, syT, b.right, b.top);
  band({dxR, dyC, dxR + b.right, dyC + innerH}, sxR, syC, b.right, ch, false);
  if ((entry.FillMode & kFillCentre) != 0) band({dxC, dyC, dxC + innerW, dyC + innerH}, sxC, syC, cw, ch, true);
}

}  // namespace klarvik
