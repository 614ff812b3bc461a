#pragma once
// A baseline JPEG file (JFIF, YCbCr without subsampling, the example Huffman tables of
// the JPEG standard). Integer arithmetic throughout, so the same pixels give the same
// bytes on every machine. Alpha is ignored.
#include <cstdint>
#include <vector>

#include "base/pixel_view.h"

namespace klarvik {

// quality 1..100 scales the standard's example quantisation tables as usual (50 keeps them).
std::vector<std::uint8_t> JpegFileBytes(const PixelView& pixels, int quality);

}  // namespace klarvik
