#pragma once
// The skin manager's hue and saturation settings applied to a freshly loaded skin: its
// pictures, its section colours and gradients, its shadow colour and its palette. Applied
// to new tables only, so the shift never accumulates over reloads.
#include "skin/definition/skin_tables.h"

namespace klarvik {

// Hue first (degrees), then saturation (percent, taken modulo 101 with its sign); 0 leaves
// that one out. Colours naming a system colour (and -1, "none") are left as they are:
// they are resolved when painted and are not the skin's to shift.
void AdjustSkinColours(TsSkinTables& tables, int hueOffset, int saturation);

}  // namespace klarvik
