#pragma once
// A section's background: up to three layers (texture, gradient, colour) in the shares
// the section gives, shown over the parent's background by its transparency.
#include <cstdint>

#include "base/pixel_view.h"
#include "base/geometry.h"
#include "base/pixel.h"
#include "paint/primitives/parent_cache.h"
#include "skin/definition/skin_tables.h"

namespace klarvik {

// What to paint: a section of the loaded skin in a state, over a parent.
struct SectionPaint {
  const TsSkinTables* tables = nullptr;
  int section = -1;
  TacParentCache parent;
  int pattern = -1;      // a texture entry used in both states instead of the section's own
  int hotPattern = -1;   // consulted for the masked overlay of state 0 when pattern is -1
  Point offset;     // added to the parent's offsets (for parts of a larger picture)
  int state = 0;
};

// The parent as the painters see it: shifted by paint.offset, its fill colour a COLORREF
// even when it names a system colour.
TacParentCache ParentForPaint(const SectionPaint& paint);

// The section's state record used for a state: limited to STATES − 1, then to 1.
int SectionStateIndex(const TsGeneralData& section, int state);

// Paints the background of rect. customColor (a COLORREF or a system colour identifier,
// kKeyColor for none) replaces the section's colour and drops its texture, gradient and
// transparency. Colours that name system colours are resolved through the tables'
// System.
void PaintSectionBackground(PixelView bitmap, const Rect& rect, const SectionPaint& paint,
                            TColor customColor = kKeyColor);

}  // namespace klarvik
