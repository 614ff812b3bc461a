#include "skin/image/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "skin/skin_error.h"

namespace {

constexpr const char* kInvalidBitmap = "Bitmap image is not valid.";
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kLargestHeaderSize = 124;

[[noreturn]] void Fail() { throw EInvalidGraphic(kInvalidBitmap); }

std::uint32_t ReadLe16(const std::uint8_t* p) { return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8); }
std::uint32_t ReadLe32(const std::uint8_t* p) { return ReadLe16(p) | (ReadLe16(p + 2) << 16); }

struct BmpLayout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative for top-down rows
  int bits = 0;
  std::uint32_t paletteEntries = 0;
  std::size_t paletteOffset = 0;
  std::size_t paletteEntrySize = 4;
};

// Reads the information header, whichever of the two layouts it has.
BmpLayout ReadLayout(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kFileHeaderSize + 4) Fail();
  const std::uint8_t* info = bytes.data() + kFileHeaderSize;
  const std::uint32_t headerSize = ReadLe32(info);
  const bool core = headerSize == kCoreHeaderSize;
  if (!core && (headerSize < kInfoHeaderSize || headerSize > kLargestHeaderSize)) Fail();
  if (headerSize > bytes.size() - kFileHeaderSize) Fail();

  BmpLayout layout;
  std::uint32_t planes = 0;
  std::uint32_t coloursUsed = 0;
  if (core) {
    layout.width = ReadLe16(info + 4);
    layout.height = ReadLe16(info + 6);
    planes = ReadLe16(info + 8);
    layout.bits = static_cast<int>(ReadLe16(info + 10));
    layout.paletteEntrySize = 3;
  } else {
    layout.width = static_cast<std::int32_t>(ReadLe32(info + 4));
    layout.height = static_cast<std::int32_t>(ReadLe32(info + 8));
    planes = ReadLe16(info + 12);
    layout.bits = static_cast<int>(ReadLe16(info + 14));
    if (ReadLe32(info + 16) != 0) Fail();  // compressed and bit-field layouts are not read
    coloursUsed = ReadLe32(info + 32);
  }
  if (planes != 1) Fail();
  if (layout.bits != 1 && layout.bits != 4 && layout.bits != 8 && layout.bits != 24 && layout.bits != 32) Fail();
  const std::int64_t rows = layout.height < 0 ? -layout.height : layout.height;
  if (layout.width <= 0 || rows == 0 || layout.width > kBmpMaxSide || rows > kBmpMaxSide ||
      layout.width * rows > kBmpMaxPixels) {
    Fail();
  }
  if (layout.bits <= 8) {
    layout.paletteEntries = coloursUsed != 0 ? coloursUsed : (1u << layout.bits);
    if (layout.paletteEntries > 256) Fail();
  }
  layout.paletteOffset = kFileHeaderSize + headerSize;
  return layout;
}

}  // namespace

bool HasBmpSignature(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

SkinImageSize ReadBmpSize(std::span<const std::uint8_t> bytes) {
  if (!HasBmpSignature(bytes)) Fail();
  const BmpLayout layout = ReadLayout(bytes);
  return {static_cast<int>(layout.width), static_cast<int>(layout.height < 0 ? -layout.height : layout.height)};
}

SkinBitmap DecodeBmp(std::span<const std::uint8_t> bytes) {
  if (!HasBmpSignature(bytes)) Fail();
  const BmpLayout layout = ReadLayout(bytes);

  const std::uint64_t pixelOffset = ReadLe32(bytes.data() + 10);
  if (pixelOffset < layout.paletteOffset || pixelOffset > bytes.size()) Fail();
  // The palette lies between the header and the pixels; writers often store fewer
  // entries than the depth allows.
  const std::uint64_t paletteRoom = (pixelOffset - layout.paletteOffset) / layout.paletteEntrySize;
  const auto paletteEntries = static_cast<std::uint32_t>(std::min<std::uint64_t>(layout.paletteEntries, paletteRoom));
  std::array<std::uint32_t, 256> palette{};  // black past the palette's end
  for (std::uint32_t i = 0; i < paletteEntries; ++i) {
    const std::uint8_t* bgr = bytes.data() + layout.paletteOffset + i * layout.paletteEntrySize;
    palette[i] = std::uint32_t{bgr[0]} | (std::uint32_t{bgr[1]} << 8) | (std::uint32_t{bgr[2]} << 16);
  }

  const auto rows = static_cast<int>(layout.height < 0 ? -layout.height : layout.height);
  const auto width = static_cast<int>(layout.width);
  const std::uint64_t rowBytes = (std::uint64_t(width) * std::uint64_t(layout.bits) + 7) / 8;
  const std::uint64_t stride = (rowBytes + 3) / 4 * 4;
  // The last row may come without its padding.
  if (stride * std::uint64_t(rows - 1) + rowBytes > bytes.size() - pixelOffset) Fail();

  SkinBitmap bitmap;
  bitmap.width = width;
  bitmap.height = rows;
  bitmap.sourceBits = layout.bits;
  bitmap.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows));
  const bool bottomUp = layout.height > 0;
  for (int r = 0; r < rows; ++r) {
    const std::uint8_t* src = bytes.data() + pixelOffset + stride * std::uint64_t(r);
    std::uint32_t* out = bitmap.pixels.data() + std::size_t(bottomUp ? rows - 1 - r : r) * std::size_t(width);
    switch (layout.bits) {
      case 32:
        std::memcpy(out, src, std::size_t(width) * 4);
        break;
      case 24:
        for (int x = 0; x < width; ++x) {
          const std::uint8_t* p = src + 3 * x;
          out[x] = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
        }
        break;
      case 8:
        for (int x = 0; x < width; ++x) out[x] = palette[src[x]];
        break;
      default: {
        const int perByte = 8 / layout.bits;
        const unsigned mask = (1u << layout.bits) - 1;
        for (int x = 0; x < width; ++x) {
          const int shift = 8 - layout.bits * (x % perByte + 1);
          out[x] = palette[(src[x / perByte] >> shift) & mask];
        }
        break;
      }
    }
  }
  return bitmap;
}
