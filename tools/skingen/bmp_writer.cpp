#include "tools/skingen/bmp_writer.h"

#include <stdexcept>

namespace klarvik {

namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> BmpCoreFileBytes(const PixelView& pixels) {
  // The core header keeps width and height in 16 bits.
  if (pixels.Empty() || pixels.width > 0xFFFF || pixels.height > 0xFFFF) {
    throw std::invalid_argument("a core-header BMP needs 1 to 65535 pixels a side");
  }
  constexpr std::uint32_t kFileHeaderSize = 14;
  constexpr std::uint32_t kCoreHeaderSize = 12;
  const auto width = static_cast<std::uint32_t>(pixels.width);
  const std::uint32_t rowSize = (width * 3 + 3) & ~3u;
  const std::uint32_t imageSize = rowSize * static_cast<std::uint32_t>(pixels.height);

  std::vector<std::uint8_t> out;
  out.reserve(kFileHeaderSize + kCoreHeaderSize + imageSize);
  out.push_back('B');
  out.push_back('M');
  PutLittleEndian(out, kFileHeaderSize + kCoreHeaderSize + imageSize, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, kFileHeaderSize + kCoreHeaderSize, 4);
  PutLittleEndian(out, kCoreHeaderSize, 4);
  PutLittleEndian(out, width, 2);
  PutLittleEndian(out, static_cast<std::uint32_t>(pixels.height), 2);  // rows run bottom-up
  PutLittleEndian(out, 1, 2);                                           // planes
  PutLittleEndian(out, 24, 2);                                          // bits per pixel
  for (int y = pixels.height - 1; y >= 0; --y) {
    for (int x = 0; x < pixels.width; ++x) PutLittleEndian(out, pixels.At(x, y), 3);  // blue, green, red
    for (std::uint32_t pad = width * 3; pad < rowSize; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace klarvik
