#pragma once
// Contrast between text and background colours as accessibility guidelines measure it:
// (lighter luminance + 0.05) ÷ (darker + 0.05), from 1 (same) to 21 (black on white).
#include "base/color.h"
#include "tools/skingen/skin_recipe.h"

namespace klarvik {

inline constexpr double kReadableContrast = 4.5;

double ContrastRatio(TColor a, TColor b);
// Black or white, whichever reads better on both ends of the ramp.
TColor ReadableOn(const Ramp& ramp);

}  // namespace klarvik
