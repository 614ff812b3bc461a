#include "tools/skingen/png_writer.h"

#include <zlib.h>

#include <stdexcept>
#include <string_view>

namespace klarvik {

namespace {

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& data) {
  PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  // The CRC covers the type and the data, not the length.
  const uLong crc = crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
  PutBigEndian32(out, static_cast<std::uint32_t>(crc));
}

// Rows with the "sub" filter: skin art is mostly flat runs and smooth ramps, which it
// turns into long runs of small numbers.
std::vector<std::uint8_t> FilteredRows(const PixelView& pixels) {
  std::vector<std::uint8_t> rows;
  rows.reserve(static_cast<std::size_t>(pixels.height) * (1 + 4 * static_cast<std::size_t>(pixels.width)));
  for (int y = 0; y < pixels.height; ++y) {
    rows.push_back(1);
    std::uint32_t left = 0;
    for (int x = 0; x < pixels.width; ++x) {
      const std::uint32_t pixel = pixels.At(x, y);
      for (int shift : {16, 8, 0, 24}) {  // red, green, blue, alpha
        rows.push_back(static_cast<std::uint8_t>((pixel >> shift) - (left >> shift)));
      }
      left = pixel;
    }
  }
  return rows;
}

}  // namespace

std::vector<std::uint8_t> PngFileBytes(const PixelView& pixels) {
  if (pixels.Empty()) throw std::invalid_argument("a PNG needs at least one pixel");
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

  std::vector<std::uint8_t> header;
  PutBigEndian32(header, static_cast<std::uint32_t>(pixels.width));
  PutBigEndian32(header, static_cast<std::uint32_t>(pixels.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // depth, RGBA, deflate, adaptive filters, no interlace
  PutChunk(out, "IHDR", header);

  const std::vector<std::uint8_t> rows = FilteredRows(pixels);
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::vector<std::uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("zlib could not compress the PNG rows");
  }
  packed.resize(packedSize);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace klarvik
