#pragma once
// A control's border drawn from a border image cut into nine pieces, and the three ways
// a piece is put down: through its mask, stretched through its mask, or with a key colour.
#include <cstdint>

#include "base/pixel_view.h"
#include "base/geometry.h"
#include "base/pixel.h"
#include "paint/primitives/parent_cache.h"
#include "skin/definition/skin_tables.h"

namespace klarvik {

// srcRect of src drawn with its top-left at `at`, its mask maskOffset rows further down
// (kept inside src); clipped against both bitmaps. Each channel becomes
// (M·(D − S) + 256·S) >> 8. Key-colour image pixels: with the corner flag and a Ready
// cache the parent's pixel, with the corner flag and no Ready cache the cache's FillColor
// (alpha 0), else the destination stays. With the corner flag and a Ready cache every
// pixel ends opaque.
void BlitMaskedPiece(PixelView dst, Point at, const Rect& srcRect, int maskOffset, bool corner,
                     const TacParentCache& cache, const PixelView& src);

// srcRect of src stretched over dstRect through its mask (maskOffset rows below; 0 means a
// plain stretched copy). Pieces that shrink along one axis only, and centre pieces, are
// resampled; a one-pixel centre is one colour. Never throws.
void StretchMaskedPiece(PixelView dst, const Rect& dstRect, bool centre, int maskOffset, const PixelView& src,
                        const Rect& srcRect);

// Copies every pixel of srcRect that does not match key to (x, y). Key pixels: with the
// corner flag and a Ready cache on another bitmap, the parent's pixel; with a Ready cache
// on the destination itself they are skipped and copied pixels get alpha 255; with a
// Ready cache and no corner flag they are skipped; without a Ready cache they become the
// cache's FillColor with alpha 0.
void BlitKeyedPiece(PixelView dst, const PixelView& src, int x, int y, bool corner, const TacParentCache& cache,
                    TColor key, const Rect& srcRect);

// The nine-piece border of entry over rect. Draws nothing without tables, for a rectangle
// under 2 × 2, for state 0 when FillMode has bit 2, or for an entry without state images.
void DrawBorderMask(PixelView dst, const Rect& rect, const TacParentCache& cache, bool cornersFromParent, int state,
                    const TsMaskData& entry, const TsSkinTables* tables);

// The border widths used in a rectangle of that size: when the rectangle is narrower than
// left + right, the excess is taken half from each side, the odd pixel from the right
// (likewise top and bottom against the height); never below 0.
struct BorderWidths {
  int left, top, right, bottom;
  friend bool operator==(const BorderWidths&, const BorderWidths&) = default;
};
BorderWidths FitBorderWidths(BorderWidths widths, int width, int height);

}  // namespace klarvik
