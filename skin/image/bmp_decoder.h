#pragma once
// The skin engine's own reader of Windows bitmap files (the same decoder in the native
// and the Windows build): uncompressed 1, 4, 8, 16 (5-5-5), 24 and 32 bits per pixel;
// bit fields with the standard masks (32 bits 8-8-8, 16 bits 5-5-5 and 5-6-5); the 12-byte
// core header and the 40-byte (or longer) information header; bottom-up and top-down
// rows. Every header field, the palette and the rows are checked against the file size;
// anything else raises EInvalidGraphic.
//
// Output keeps the source depth in sourceBits; pixels below 32 bits carry alpha 0 until
// they are normalised (pixel_rules.h). 16-bit channels are widened to 8 bits by repeating
// their high bits. A palette index past the palette gives black.
#include <cstdint>
#include <span>

#include "skin/image/skin_bitmap.h"

namespace klarvik {

SkinBitmap DecodeBmp(std::span<const std::uint8_t> bytes);

// The size from the headers alone, checked as DecodeBmp checks it; nothing is allocated.
SkinImageSize ReadBmpSize(std::span<const std::uint8_t> bytes);

// True when the bytes begin with "BM".
bool HasBmpSignature(std::span<const std::uint8_t> bytes);

}  // namespace klarvik
