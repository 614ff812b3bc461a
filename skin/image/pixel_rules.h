#pragma once
// The rules every skin picture passes through after decoding, once per load.
#include <cstdint>

#include "base/pixel.h"
#include "base/pixel_view.h"
#include "skin/image/skin_bitmap.h"

namespace klarvik {

// Transparent white: what the alpha rules of PNG images clear to 0.
inline constexpr std::uint32_t kTransparentWhite = 0x00FFFFFF;

// A bitmap whose source was below 32 bits becomes 32-bit: every pixel that is not a key
// pixel gets alpha 255, key pixels keep alpha 0. A 32-bit source is left unchanged.
void NormaliseTo32Bits(SkinBitmap& bitmap);

// 0x00FFFFFF becomes 0; every other pixel gets blue, green and red = byte * alpha / 256
// (rounded down), alpha unchanged.
void Premultiply(const PixelView& view);

// 0x00FFFFFF becomes 0; nothing else changes.
void ClearTransparentWhite(const PixelView& view);

enum class PngAlphaRule { Premultiply, TransparentWhite };

// The order for a PNG image entry: the alpha rule when the PNG is 32-bit, then
// normalising (which only acts on PNGs below 32 bits).
void ApplyPngEntryRules(SkinBitmap& bitmap, PngAlphaRule rule);

}  // namespace klarvik
