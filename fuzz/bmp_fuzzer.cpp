// Any bytes given to the BMP reader end in a picture of the size its header claims (the
// size a load's pixel budget is taken from) or in a skin error; normalising then runs over
// whatever was read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "skin/image/bmp_decoder.h"
#include "skin/image/pixel_rules.h"
#include "skin/skin_error.h"

using namespace klarvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  std::optional<SkinImageSize> header;
  try {
    header = ReadBmpSize(bytes);
  } catch (const ESkinError&) {
  }
  try {
    SkinBitmap bitmap = DecodeBmp(bytes);
    if (bitmap.Empty() || bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * bitmap.height ||
        !header || header->width != bitmap.width || header->height != bitmap.height) {
      std::abort();
    }
    NormaliseTo32Bits(bitmap);
  } catch (const ESkinError&) {
  }
  return 0;
}
