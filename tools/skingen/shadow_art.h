#pragma once
// The skin manager's built-in shadows, drawn around a form with extended borders by skins
// that bring no "EXBORDER" image of their own: app/res/shadow_active.png and
// app/res/shadow_inactive.png, carried in the program's resources.
#include "skin/image/skin_bitmap.h"

namespace klarvik {

constexpr int kShadowSize = 33;

// Black, its alpha falling off smoothly from the window's edge, which runs 9 pixels in from
// each side (the built-in margins), to nothing at the picture's edge; the inside is clear.
// The active window casts the deeper shadow.
SkinBitmap ShadowPicture(bool active);

}  // namespace klarvik
