// Any bytes given to the BMP reader end in a picture of the size it claims or in a skin
// error; normalising then runs over whatever was read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "skin/image/bmp_decoder.h"
#include "skin/image/pixel_rules.h"
#include "skin/skin_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    SkinBitmap bitmap = DecodeBmp(std::span<const std::uint8_t>(data, size));
    if (bitmap.Empty() || bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * bitmap.height) {
      std::abort();
    }
    NormaliseTo32Bits(bitmap);
  } catch (const ESkinError&) {
  }
  return 0;
}
