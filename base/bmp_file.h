#pragma once
// The bytes of a 24-bit BMP file holding a picture's colours (alpha is not kept).
#include <cstdint>
#include <vector>

#include "base/pixel_view.h"

namespace klarvik {

std::vector<std::uint8_t> BmpFileBytes(const PixelView& pixels);

}  // namespace klarvik
