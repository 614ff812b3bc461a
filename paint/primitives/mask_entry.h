#pragma once
// How the primitives read an image entry of the loaded skin: the entry a section names,
// its picture, and the source rectangle of one of its state images.
#include "base/pixel_view.h"
#include "base/geometry.h"
#include "base/pixel.h"
#include "skin/definition/skin_tables.h"

namespace klarvik {

// The entry a section's record names in one of its image fields (border mask, corner
// image, texture, a state's texture); null when it names none. The [GLOBALINFO] record
// keeps 0 in those fields though it owns no entry, so for it they name none.
const TsMaskData* SectionEntry(const TsSkinTables& tables, int section, int index);

// The entry's own picture or the skin's master bitmap, read-only.
PixelView EntryImage(const TsSkinTables& tables, const TsMaskData& entry);

// The state image drawn for a state: min(state, StateCount − 1); −1 when the entry has no
// state images (StateCount 0) or draws nothing (MaskKind below 0).
int EntryStateIndex(const TsMaskData& entry, int state);

// Source rectangle of state image `index` (its mask, if any, lies StateHeight rows below).
Rect EntryStateRect(const TsMaskData& entry, int index);

inline bool EntryHasMask(const TsMaskData& entry) { return entry.MaskKind > 0; }

}  // namespace klarvik
