#include "base/bmp_file.h"

#include <stdexcept>

namespace klarvik {

namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> BmpFileBytes(const PixelView& pixels, BmpHeader header) {
  if (pixels.Empty()) return {};
  const bool core = header == BmpHeader::kCore;
  if (core && (pixels.width > 0xFFFF || pixels.height > 0xFFFF)) {
    throw std::invalid_argument("a core-header BMP has at most 65535 pixels a side");
  }
  constexpr std::uint32_t kFileHeaderSize = 14;
  const std::uint32_t headerSize = core ? 12 : 40;
  const auto width = static_cast<std::uint32_t>(pixels.width);
  const auto height = static_cast<std::uint32_t>(pixels.height);
  const std::uint32_t rowSize = (width * 3 + 3) & ~3u;  // rows are padded to whole 32-bit words
  const std::uint32_t imageSize = rowSize * height;

  std::vector<std::uint8_t> out;
  out.reserve(kFileHeaderSize + headerSize + imageSize);
  out.push_back('B');
  out.push_back('M');
  PutLittleEndian(out, kFileHeaderSize + headerSize + imageSize, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, kFileHeaderSize + headerSize, 4);
  PutLittleEndian(out, headerSize, 4);
  const int sideBytes = core ? 2 : 4;
  PutLittleEndian(out, width, sideBytes);
  PutLittleEndian(out, height, sideBytes);  // positive: rows run bottom-up
  PutLittleEndian(out, 1, 2);               // planes
  PutLittleEndian(out, 24, 2);              // bits per pixel
  if (!core) {
    PutLittleEndian(out, 0, 4);  // no compression
    PutLittleEndian(out, imageSize, 4);
    PutLittleEndian(out, 2835, 4);  // 72 dots per inch, in dots per metre
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 0, 4);
  }
  for (int y = pixels.height - 1; y >= 0; --y) {
    for (int x = 0; x < pixels.width; ++x) PutLittleEndian(out, pixels.At(x, y), 3);  // blue, green, red
    for (std::uint32_t pad = width * 3; pad < rowSize; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace klarvik
