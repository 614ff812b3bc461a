#pragma once
// A per-pixel filter run over a picture: how hue and saturation shifts reach the skin's
// pictures when it loads and a control's cache when it paints.
#include <cstdint>

#include "base/color.h"
#include "base/pixel_view.h"

namespace klarvik {

// Applies filter(pixel, value) to every pixel that does not match key (clNone: every pixel).
using PixelFilter = std::uint32_t (*)(std::uint32_t pixel, int value);
void ApplyPixelFilter(PixelView bitmap, PixelFilter filter, int value, TColor key);

}  // namespace klarvik
