#pragma once
// How a disabled skinned control looks: greyed, or blended into what lies behind it.
#include "paint/primitives/parent_cache.h"
#include "runtime/bitmap.h"

namespace klarvik {

enum TsDisabledKindFlag : unsigned { dkBlended = 1, dkGrayed = 2 };
using TsDisabledKind = unsigned;

// Greys the picture (dkGrayed), then lets the parent show through 60 % of it
// (dkBlended): from the parent's picture when it has one, else toward its colour.
void ApplyDisabledLook(TBitmap& picture, TsDisabledKind kind, const TacParentCache& parent);

}  // namespace klarvik
