#pragma once
// The soft light that runs along a gauge's filled part: a light picture laid over the
// gauge through a mask that says where, and how strongly, it may shine.
#include "base/geometry.h"
#include "base/pixel_view.h"

namespace klarvik {

// Lays light over rect of the destination; light and mask have their (0, 0) at rect's
// top-left. Per pixel, with m the mask's red and a the light's alpha, each colour channel
// becomes (w·(L − D) + 256·D) >> 8 with w = a where m is 0, w = ((255 − m)·a) >> 8 for
// other m; m = 255 leaves the pixel. The destination's alpha stays. Only the part of rect
// that lies in the destination, the light and the mask is touched.
void BlendLightThroughMask(PixelView destination, const PixelView& light, const PixelView& mask, const Rect& rect);

}  // namespace klarvik
