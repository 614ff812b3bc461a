#pragma once
// Multi-stop gradients of section backgrounds: vertical, horizontal, and four corner
// triangles through five vertices. Integer arithmetic throughout, so the native and the
// Windows builds paint the same bits.
#include <cstdint>

#include "base/pixel_view.h"
#include "base/geometry.h"
#include "base/pixel.h"
#include "skin/definition/skin_records.h"

namespace klarvik {

enum GradientDirection : int { kGradientVertical = 0, kGradientHorizontal = 1, kGradientTriangles = 2 };

// The direction of the first stop decides for the whole gradient; anything but 1 and 2
// is vertical.
GradientDirection DirectionOf(const TsGradArray& gradient);

// Paints the gradient over rect (clipped to the bitmap), alpha 255. `offset` shifts where
// the stops start along the gradient's axis; the pixels before it are left as they are.
// An empty gradient paints nothing.
void PaintGradient(PixelView bitmap, const Rect& rect, const TsGradArray& gradient, int offset = 0);

// Gradient G and tiled texture T in one pass: G + ((T − G)·a >> 8) per channel, with a the
// texture alpha (0..255). The arithmetic shift makes this ((256 − a)·G + a·T) ÷ 256 rounded
// down whichever of T and G is brighter (a truncating division would round toward G
// when T < G). The texture rectangle is tiled from rect's top-left.
void PaintGradientTexture(PixelView bitmap, const Rect& rect, const TsGradArray& gradient, int textureAlpha,
                          const Rect& textureRect, const PixelView& texture);

}  // namespace klarvik
