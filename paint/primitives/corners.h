#pragma once
// A control's cached picture may have been painted before its parent's background
// changed: its border corners are blended again over the current parent.
#include "base/pixel_view.h"
#include "paint/primitives/parent_cache.h"
#include "skin/definition/skin_tables.h"

namespace klarvik {

enum CornerSet : int {
  kCornerTopLeft = 1,
  kCornerBottomLeft = 2,
  kCornerTopRight = 4,
  kCornerBottomRight = 8,
};

// Puts the parent's pixels under each chosen corner of the cached picture (parent's
// offsets already moved to the control's position) and draws the border entry's corner
// piece over them: an own picture without a mask as an alpha image, a masked entry
// through its mask, others with the key colour. Nothing without tables or a picture.
void RefreshCornersFromParent(PixelView cached, int state, int corners, const TsMaskData& border,
                              const TacParentCache& parent, const TsSkinTables* tables);

}  // namespace klarvik
