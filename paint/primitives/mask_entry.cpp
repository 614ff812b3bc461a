#include "paint/primitives/mask_entry.h"

#include <algorithm>

#include "paint/primitives/bitmap_ops.h"

namespace klarvik {

const TsMaskData* SectionEntry(const TsSkinTables& tables, int section, int index) {
  if (section == tables.Cached.GlobalInfo || !tables.IsValidMaskIndex(index)) return nullptr;
  return &tables.Masks[static_cast<std::size_t>(index)];
}

PixelView EntryImage(const TsSkinTables& tables, const TsMaskData& entry) { return ConstView(tables.ImageOf(entry)); }

int EntryStateIndex(const TsMaskData& entry, int state) {
  if (entry.StateCount <= 0 || entry.MaskKind < 0) return -1;
  return std::clamp(state, 0, entry.StateCount - 1);
}

Rect EntryStateRect(const TsMaskData& entry, int index) {
  const int w = StateWidth(entry), h = StateHeight(entry);
  const int left = entry.SourceRect.left + index * w, top = entry.SourceRect.top;
  return {left, top, left + w, top + h};
}

}  // namespace klarvik
