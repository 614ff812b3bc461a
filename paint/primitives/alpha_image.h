#pragma once
// Drawing a 32-bit picture with its own alpha, optionally with a fading mirror image
// below it.
#include <cstdint>

#include "base/pixel_view.h"
#include "base/geometry.h"
#include "base/pixel.h"
#include "paint/primitives/parent_cache.h"

namespace klarvik {

struct AlphaImageOptions {
  bool reflected = false;
  int transparency = 0;          // percent: the effective alpha is (100 − t)·A ÷ 100
  TColor key = clNone;    // source pixels matching it are skipped ...
  bool useParent = false;        // ... or take the parent's pixel under them
  TacParentCache parent;
};

// Draws srcRect of src at dstRect (the smaller of the two sizes, clipped against both
// bitmaps) with the alpha-over formula.
void CopyAlphaImage(const Rect& dstRect, const Rect& srcRect, PixelView dst, const AlphaImageOptions& options,
                    const PixelView& src);

}  // namespace klarvik
