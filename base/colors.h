#pragma once
// Colour arithmetic: mixing, hue rotation and saturation, portable so that the skin data
// can shift a skin's colours as the painters do. System colours are resolved through a
// TsSystemInfo (base/system_colors.h), never by asking the system from here.
#include <cstdint>

#include "base/color.h"

namespace klarvik {

// Colour mix of one channel: nearest(k·A + (1 − k)·B), k in 0..1.
int MixChannel(int a, int b, double k);
// Per channel nearest(k·A + (1 − k)·B), k in 0..1; the high byte is taken from A. Both
// colours must be resolved.
TColor MixColors(TColor a, TColor b, double k);
// The same with k = percent ÷ 100 in integers, halves rounded up: the painters use this
// one, so that every build rounds alike.
TColor MixColorsPercent(TColor a, TColor b, int percent);

// On pixel values 0xAARRGGBB (swap a COLORREF with ColorToPixel first). The high byte
// stays. Degrees may be negative or above 360: the hue turns by a floor modulo.
std::uint32_t ChangeHue(std::uint32_t pixel, int degrees);
// Moves each channel away from (percent > 0) or toward (< 0) the grey mean.
std::uint32_t ChangeSaturation(std::uint32_t pixel, int percent);
// A resolved colour turned by `hue` degrees, then changed by `saturation` percent, as a
// control's own hue and saturation change it; unchanged when both are 0.
TColor ShiftColor(TColor color, int hue, int saturation);

}  // namespace klarvik
