#pragma once
// Whole-bitmap and rectangle helpers on 32-bit pixel views. Every rectangle is clipped
// to the bitmaps it touches; nothing outside a view is ever read or written.
#include <cstdint>

#include "base/pixel_view.h"
#include "base/geometry.h"
#include "base/pixel.h"
#include "base/pixel_filter.h"
#include "skin/image/skin_bitmap.h"

namespace klarvik {

// A new 32-bit picture, all pixels 0; a width or height of 0 or less gives an empty one.
SkinBitmap CreateBitmap32(int width, int height);
// A read-only picture seen through the core's view type.
PixelView ConstView(const SkinBitmap& bitmap);

// A copy of a source rectangle to a destination point, clipped against both views
// (a negative origin on one side moves the other side along).
struct BlitArea {
  int dx = 0, dy = 0, sx = 0, sy = 0, width = 0, height = 0;
  bool Empty() const { return width <= 0 || height <= 0; }
};
BlitArea ClipBlit(const PixelView& dst, int dx, int dy, const PixelView& src, const Rect& srcRect);

// Every pixel of rect := colour (COLORREF) with that alpha.
void FillRect32(PixelView bitmap, const Rect& rect, TColor color, std::uint8_t alpha);
// Sets the alpha byte in rect, skipping pixels that match key (unless key is clNone).
void SetRectAlpha(PixelView bitmap, const Rect& rect, std::uint8_t alpha, TColor key);
// Per channel nearest(f·D + (1 − f)·C) with f = keepPercent ÷ 100; alpha untouched.
void FadeRectToColor(PixelView bitmap, const Rect& rect, int keepPercent, TColor color);
// Weighted keep of a source of the same size; nothing when the sizes differ.
void BlendBitmaps(PixelView dst, const PixelView& src, int k);
void BlendBitmapRect(PixelView dst, const PixelView& src, int k, Point dstPoint, const Rect& srcRect);
// For each source pixel that does not match key: D := nearest(S − (S − D)·t) per channel.
void BlendKeyedImage(PixelView dst, int x, int y, TColor key, double transparency, const Rect& srcRect,
                     const PixelView& src);
// Plain copy (alpha included) of a source rectangle, clipped.
void CopyRect(PixelView dst, int dx, int dy, const PixelView& src, const Rect& srcRect);
// Nearest-pixel stretch of a source rectangle over a destination rectangle: whole rows and
// columns are repeated or dropped, no colours are mixed.
void StretchRect(PixelView dst, const Rect& dstRect, const PixelView& src, const Rect& srcRect);

// Each pixel's three channels := (R + G + B) ÷ 3; pixels matching key are skipped.
void GrayscaleBitmap(PixelView bitmap, TColor key = clNone);

enum class RotateDirection {
  kClockwise,         // source (x, y) goes to (height − y − 1, x)
  kCounterClockwise,  // source (width − x − 1, y) goes to (y, x)
};
SkinBitmap RotateBitmap90(const PixelView& src, RotateDirection direction);

}  // namespace klarvik
