#pragma once
// The soft light the gauge draws along its filled part, carried in the program's resources
// as app/res/gauge_light.png (the stored skins' own gauge lights are GaugeLight's).
#include "skin/image/skin_bitmap.h"

namespace klarvik {

constexpr int kGaugeLightWidth = 60;
constexpr int kGaugeLightHeight = 20;

// White with a smooth alpha: a raised cosine across, 0 at both ends and about 140 in the
// middle column, times a profile down that is full at the top and bottom rows and about
// 0.64 of it (some 90) in the middle ones.
SkinBitmap GaugeLightPicture();

}  // namespace klarvik
