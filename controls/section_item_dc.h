#pragma once
// A section item painted straight onto a device context, through a temporary picture of
// the rectangle's size.
#include <windows.h>

#include "paint/primitives/section_item.h"

namespace klarvik {

// Paints the item into a picture of rect's size (item at its origin; paint.offset as
// given) and copies it to dc at rect. Nothing for an empty rectangle, one starting at a
// negative coordinate, or a section the skin does not have.
void PaintSectionItemToDC(HDC dc, const Rect& rect, const SectionPaint& paint, bool cornersFromParent);

}  // namespace klarvik
