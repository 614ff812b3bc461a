#pragma once
// What a form with extended borders is framed with: an active and an inactive shadow image
// and the four margins they reach out by. The skin's [GLOBALINFO] "EXBORDER" entry when it
// has one, else the built-in shadows.
#include "skin/definition/skin_tables.h"
#include "skin/image/skin_bitmap.h"

namespace klarvik {

struct ExtendedBorderImages {
  SkinBitmap active;
  SkinBitmap inactive;
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The built-in margins, used with the built-in shadows.
constexpr int kBuiltInShadowMargin = 9;

// From the loaded tables; `builtInActive` and `builtInInactive` stand in for a skin without
// "EXBORDER" (empty ones: no images, margins still 9). Margins never fall below 0, however
// large the skin's "FORMOFFSET".
ExtendedBorderImages ComputeExtendedBorders(const TsSkinTables& tables, const SkinBitmap& builtInActive,
                                            const SkinBitmap& builtInInactive);

}  // namespace klarvik
