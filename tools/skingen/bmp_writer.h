#pragma once
// 24-bit BMP files of a picture's colours (alpha is dropped). Most skins use the usual
// 40-byte information header (base/bmp_file.h); the older 12-byte core header is written
// here, for a skin whose master bitmap carries it.
#include <cstdint>
#include <vector>

#include "base/pixel_view.h"

namespace klarvik {

std::vector<std::uint8_t> BmpCoreFileBytes(const PixelView& pixels);

}  // namespace klarvik
