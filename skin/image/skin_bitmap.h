#pragma once
// A decoded skin picture owned in memory: 32-bit pixels, one little-endian value
// 0xAARRGGBB each (bytes blue, green, red, alpha), rows top-down.
#include <cstdint>
#include <vector>

#include "base/pixel_view.h"

namespace klarvik {

// A picture's size as its file's header gives it, known before any pixel is decoded.
struct SkinImageSize {
  int width = 0;
  int height = 0;
};

struct SkinBitmap {
  int width = 0;
  int height = 0;
  // Bits per pixel of the decoded source (1, 4, 8, 16, 24 or 32). Pixels of a source below
  // 32 bits carry alpha 0 until they are normalised to 32 bits.
  int sourceBits = 32;
  std::vector<std::uint32_t> pixels;
  // Colour (0x00BBGGRR) the picture is marked transparent with, -1 for none: a PNG's
  // tRNS colour for grey and RGB images, the key colour of a master bitmap.
  std::int32_t transparentColor = -1;

  bool Empty() const { return width <= 0 || height <= 0; }
  PixelView View() { return PixelView{width, height, width, pixels.data()}; }
};

}  // namespace klarvik
