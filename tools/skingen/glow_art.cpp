#include "tools/skingen/glow_art.h"

#include "tools/skingen/drawing.h"

namespace klarvik {

SkinBitmap GlowFrame(int inner, int glow, TColor color, int strength) {
  const int size = inner + 2 * glow;
  SkinBitmap picture = NewPicture(size, size);
  DrawHalo(picture.View(), Rect{glow, glow, glow + inner, glow + inner}, glow, color, strength);
  return picture;
}

SkinBitmap CaptionGlow(int face, int glow, TColor halo, const Ramp& gloss, CaptionSymbol symbol, TColor ink) {
  const int size = face + 2 * glow;
  SkinBitmap picture = NewPicture(size, size);
  const double c = size / 2.0, r = face / 2.0;
  for (int ring = glow; ring > 0; --ring) FillCircle(picture.View(), c, c, r + ring, halo, 120 / glow);
  FillCircle(picture.View(), c, c, r, gloss.bottom);
  FillCircle(picture.View(), c, c - r * 0.2, r * 0.8, gloss.top, 200);
  // The sheen: a pale lens over the upper part.
  FillCircle(picture.View(), c, c - r * 0.45, r * 0.5, TColor{0xFFFFFF}, 70);
  const Rect at{glow, glow, glow + face, glow + face};
  DrawCaptionSymbol(picture.View(), at, symbol, ink);
  return picture;
}

}  // namespace klarvik
