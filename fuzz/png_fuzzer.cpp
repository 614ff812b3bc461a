// Any bytes given to the PNG decoder end in a picture of the size its header claims (the
// size a load's pixel budget is taken from) or in a skin error; the pixel rules then run
// over whatever was decoded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

#include <zlib.h>

#include "skin/image/pixel_rules.h"
#include "skin/image/png_decoder.h"
#include "skin/skin_error.h"

using namespace klarvik;

namespace {

// Random changes almost never keep a chunk's CRC right, which would stop nearly every
// input at the first chunk; so two inputs in three get their CRCs written afresh.
std::vector<std::uint8_t> WithFreshCrcs(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  std::size_t pos = 8;
  while (pos + 12 <= bytes.size()) {
    const std::size_t length = (std::size_t{bytes[pos]} << 24) | (std::size_t{bytes[pos + 1]} << 16) |
                               (std::size_t{bytes[pos + 2]} << 8) | bytes[pos + 3];
    if (length > bytes.size() - pos - 12) break;
    const auto crc = static_cast<std::uint32_t>(crc32(0, bytes.data() + pos + 4, static_cast<uInt>(length + 4)));
    for (int i = 0; i < 4; ++i) bytes[pos + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    pos += length + 12;
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes = size % 3 != 0 ? WithFreshCrcs(data, size)
                                                        : std::vector<std::uint8_t>(data, data + size);
  std::optional<SkinImageSize> header;
  try {
    header = ReadPngSize(bytes);
  } catch (const ESkinError&) {
  }
  try {
    SkinBitmap bitmap = DecodePng(bytes);
    if (bitmap.Empty() || bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * bitmap.height ||
        !header || header->width != bitmap.width || header->height != bitmap.height) {
      std::abort();
    }
    ApplyPngEntryRules(bitmap, size % 2 == 0 ? PngAlphaRule::Premultiply : PngAlphaRule::TransparentWhite);
  } catch (const ESkinError&) {
  }
  return 0;
}
