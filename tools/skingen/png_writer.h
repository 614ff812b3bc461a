#pragma once
// A PNG file of 32-bit pixels: 8-bit RGBA (colour type 6), straight alpha, no interlace,
// only the chunks a reader needs, so the same pixels always give the same bytes.
#include <cstdint>
#include <vector>

#include "base/pixel_view.h"

namespace klarvik {

std::vector<std::uint8_t> PngFileBytes(const PixelView& pixels);

}  // namespace klarvik
