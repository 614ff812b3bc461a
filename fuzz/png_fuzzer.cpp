// Any bytes given to the PNG decoder end in a picture of the size it claims or in a
// skin error; the pixel rules then run over whatever was decoded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "skin/image/pixel_rules.h"
#include "skin/image/png_decoder.h"
#include "skin/skin_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    SkinBitmap bitmap = DecodePng(std::span<const std::uint8_t>(data, size));
    if (bitmap.Empty() || bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * bitmap.height) {
      std::abort();
    }
    ApplyPngEntryRules(bitmap, size % 2 == 0 ? PngAlphaRule::Premultiply : PngAlphaRule::TransparentWhite);
  } catch (const ESkinError&) {
  }
  return 0;
}
