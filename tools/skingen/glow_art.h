#pragma once
// Glows drawn as their own PNG pictures: the light around a hot control and around a
// caption button, clear in the middle where the control itself shows.
#include "base/color.h"
#include "skin/image/skin_bitmap.h"
#include "tools/skingen/element_art.h"

namespace klarvik {

// A halo `glow` pixels wide around a clear inner square of `inner` pixels.
SkinBitmap GlowFrame(int inner, int glow, TColor color, int strength);
// A lit caption button: a round glossy face of `face` pixels in a halo of `glow` pixels,
// with its symbol.
SkinBitmap CaptionGlow(int face, int glow, TColor halo, const Ramp& gloss, CaptionSymbol symbol, TColor ink);

}  // namespace klarvik
