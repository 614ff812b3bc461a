#pragma once
// The skin engine's own PNG decoder. Every field and size of the file is checked before
// it is used, so a damaged or hostile file ends in EInvalidGraphic (or ECompressionError
// when the inflater cannot be set up) and never in an overrun or a huge allocation.
//
// Output: grey and palette images keep their source depth in sourceBits (1, 4 or 8) with
// their colours expanded and alpha 0; RGB gives 24, RGBA gives 32 with straight
// (not premultiplied) alpha. 16-bit samples are reduced to 8 bits; gAMA is applied.
#include <cstdint>
#include <span>

#include "skin/image/skin_bitmap.h"

namespace klarvik {

SkinBitmap DecodePng(std::span<const std::uint8_t> bytes);

// The size from the header chunk alone, checked as DecodePng checks it; nothing is
// allocated.
SkinImageSize ReadPngSize(std::span<const std::uint8_t> bytes);

// True when the bytes begin with the 8-byte PNG signature.
bool HasPngSignature(std::span<const std::uint8_t> bytes);

}  // namespace klarvik
