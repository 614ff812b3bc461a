#pragma once
// State glyphs (check marks, caption-button icons): one state image of an image entry
// drawn at a point, normal (mode 1) or paler (any other mode).
#include "base/pixel_view.h"
#include "base/geometry.h"
#include "base/pixel.h"
#include "paint/primitives/parent_cache.h"
#include "skin/definition/skin_tables.h"

namespace klarvik {

constexpr int kGlyphNormal = 1;

// Draws srcRect of src at `at`. With a mask (maskOffset rows below, 0 for none): each pixel
// that is not the key colour and whose mask red m is not 255 is blended with k = m (mode
// 1) or k = min(m + 100, 255), and the destination alpha grows by (255 − Dα)·(255 − m) >> 8.
// Without a mask the glyph is an alpha image with the key colour as holes.
void BlitGlyphWithMask(PixelView dst, Point at, const Rect& srcRect, int maskOffset, int mode, const PixelView& src);

// State image min(state, StateCount − 1) of entry with its top-left at `at`; parts at
// negative coordinates are clipped away.
void DrawMaskGlyph(PixelView dst, Point at, int state, const TacParentCache& cache, const TsMaskData& entry, int mode,
                   const TsSkinTables* tables);

}  // namespace klarvik
