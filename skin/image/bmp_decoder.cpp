#include "skin/image/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "base/byte_reader.h"
#include "base/input_limits.h"
#include "skin/skin_error.h"

namespace klarvik {

namespace {

constexpr const char* kInvalidBitmap = "Bitmap image is not valid.";
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kLargestHeaderSize = 124;
constexpr std::uint32_t kMaskedHeaderSize = 52;  // the first layout that holds the colour masks
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;

// Red, green and blue masks of the layouts read: what editors save as 32-bit bit fields,
// and the two 16-bit ones.
using ColourMasks = std::array<std::uint32_t, 3>;
constexpr ColourMasks kMasks8888 = {0x00FF0000, 0x0000FF00, 0x000000FF};
constexpr ColourMasks kMasks555 = {0x7C00, 0x03E0, 0x001F};
constexpr ColourMasks kMasks565 = {0xF800, 0x07E0, 0x001F};

[[noreturn]] void Fail() { throw EInvalidGraphic(kInvalidBitmap); }

[[noreturn]] void FailInside(const char*) { Fail(); }

struct BmpLayout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative for top-down rows
  int bits = 0;
  std::uint32_t paletteEntries = 0;
  std::size_t paletteOffset = 0;
  std::size_t paletteEntrySize = 4;
  bool green6 = false;  // 16 bits: 5-6-5 rather than 5-5-5
};

// The masks of a bit-field layout: inside a header long enough to hold them, else right
// after the 40-byte header. Only the standard layouts are accepted.
void ReadBitFields(const ByteReader& bytes, std::uint32_t headerSize, BmpLayout& layout) {
  const std::size_t at = kFileHeaderSize + kInfoHeaderSize;
  const ColourMasks masks = {bytes.Le32At(at, "red mask"), bytes.Le32At(at + 4, "green mask"),
                             bytes.Le32At(at + 8, "blue mask")};
  const bool standard =
      (layout.bits == 32 && masks == kMasks8888) || (layout.bits == 16 && (masks == kMasks555 || masks == kMasks565));
  if (!standard) Fail();
  layout.green6 = masks == kMasks565;
  if (headerSize < kMaskedHeaderSize) layout.paletteOffset += 12;
}

// Reads the information header, whichever of the two layouts it has.
BmpLayout ReadLayout(std::span<const std::uint8_t> file) {
  const ByteReader bytes(file, FailInside);
  constexpr std::size_t info = kFileHeaderSize;
  const std::uint32_t headerSize = bytes.Le32At(info, "header size");
  const bool core = headerSize == kCoreHeaderSize;
  if (!core && (headerSize < kInfoHeaderSize || headerSize > kLargestHeaderSize)) Fail();
  if (headerSize > file.size() - kFileHeaderSize) Fail();

  BmpLayout layout;
  layout.paletteOffset = kFileHeaderSize + headerSize;
  std::uint32_t planes = 0;
  std::uint32_t coloursUsed = 0;
  std::uint32_t compression = kUncompressed;
  if (core) {
    layout.width = bytes.Le16At(info + 4, "width");
    layout.height = bytes.Le16At(info + 6, "height");
    planes = bytes.Le16At(info + 8, "planes");
    layout.bits = bytes.Le16At(info + 10, "bit count");
    layout.paletteEntrySize = 3;
  } else {
    layout.width = static_cast<std::int32_t>(bytes.Le32At(info + 4, "width"));
    layout.height = static_cast<std::int32_t>(bytes.Le32At(info + 8, "height"));
    planes = bytes.Le16At(info + 12, "planes");
    layout.bits = bytes.Le16At(info + 14, "bit count");
    compression = bytes.Le32At(info + 16, "compression");
    coloursUsed = bytes.Le32At(info + 32, "colours used");
  }
  if (planes != 1) Fail();
  if (layout.bits != 1 && layout.bits != 4 && layout.bits != 8 && layout.bits != 16 && layout.bits != 24 &&
      layout.bits != 32) {
    Fail();
  }
  if (compression == kBitFields) {
    ReadBitFields(bytes, headerSize, layout);
  } else if (compression != kUncompressed) {
    Fail();  // run-length and embedded JPEG or PNG pixels are not read
  }
  const std::int64_t rows = layout.height < 0 ? -layout.height : layout.height;
  if (!PictureSizeAllowed(layout.width, rows)) Fail();
  if (layout.bits <= 8) {
    layout.paletteEntries = coloursUsed != 0 ? coloursUsed : (1u << layout.bits);
    if (layout.paletteEntries > 256) Fail();
  }
  return layout;
}

// A 5- or 6-bit channel widened to 8 bits by repeating its high bits, so that full
// intensity stays 255 and the key colour stays the key colour.
std::uint32_t Widen(std::uint32_t value, int bits) { return (value << (8 - bits)) | (value >> (2 * bits - 8)); }

std::uint32_t Expand16(std::uint32_t pixel, bool green6) {
  const std::uint32_t blue = Widen(pixel & 0x1F, 5);
  const std::uint32_t green = green6 ? Widen((pixel >> 5) & 0x3F, 6) : Widen((pixel >> 5) & 0x1F, 5);
  const std::uint32_t red = Widen((pixel >> (green6 ? 11 : 10)) & 0x1F, 5);
  return blue | (green << 8) | (red << 16);
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

  const std::uint64_t pixelOffset = ByteReader(bytes, FailInside).Le32At(10, "pixel offset");
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
      case 16:
        for (int x = 0; x < width; ++x) {
          out[x] = Expand16(ByteReader::Le16Of(std::span<const std::uint8_t, 2>(src + 2 * x, 2)), layout.green6);
        }
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

}  // namespace klarvik
