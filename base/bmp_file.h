#pragma once
// The bytes of a 24-bit BMP file holding a picture's colours (alpha is not kept).
#include <cstdint>
#include <vector>

#include "base/pixel_view.h"

namespace klarvik {

enum class BmpHeader {
  kInfo,  // the usual 40-byte information header
  kCore,  // the older 12-byte core header, sides in 16 bits
};

// Raises std::invalid_argument for a core header when a side exceeds 65535 pixels.
std::vector<std::uint8_t> BmpFileBytes(const PixelView& pixels, BmpHeader header = BmpHeader::kInfo);

}  // namespace klarvik
