#pragma once
// The dotted frame round a focused control's caption.
#include "base/color.h"
#include "base/geometry.h"
#include "base/pixel_view.h"

namespace klarvik {

// The colour that leaves its dots undrawn.
inline constexpr TColor kNoFocusColor{0x1FFFFFFF};

// Dots along the four edges of `rect` (its right and bottom edges one pixel in), in
// alternating colours: along each edge the second pixel takes color1, the third color2,
// and so on. Nothing is drawn outside `rect` or outside the bitmap.
void DrawDottedFocusRect(PixelView bitmap, const Rect& rect, TColor color1, TColor color2);

}  // namespace klarvik
