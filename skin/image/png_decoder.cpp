#include "skin/image/png_decoder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "base/byte_reader.h"
#include "base/input_limits.h"
#include "skin/image/png_rows.h"
#include "skin/skin_error.h"

namespace klarvik {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {137, 80, 78, 71, 13, 10, 26, 10};

constexpr const char* kInvalidFormat = "Cannot load image. Invalid or unexpected PNG image format.";
constexpr const char* kSchemeNotSupported =
    "Cannot load image. The compression scheme is not supported for PNG files.";
constexpr const char* kInvalidColourFormat = "Invalid color format in PNG file.";
constexpr const char* kCrcError = "Cannot load image. CRC error found in PNG file.";
constexpr const char* kInvalidPalette = "Cannot load image. Palette in PNG file is invalid.";
constexpr const char* kCriticalChunk =
    "Cannot load PNG image. Unexpected but critical chunk detected.";
constexpr const char* kCompressionError = "Cannot load image. Compression error found in PNG file.";
constexpr const char* kExtraData = "Cannot load image. Extra compressed data found in PNG file.";
constexpr const char* kInflaterError = "LZ77 decompression error.";

[[noreturn]] void Fail(const char* message) { throw EInvalidGraphic(message); }
[[noreturn]] void FailInside(const char*) { Fail(kInvalidFormat); }

constexpr std::uint32_t ChunkType(const char (&name)[5]) {
  return (std::uint32_t(std::uint8_t(name[0])) << 24) | (std::uint32_t(std::uint8_t(name[1])) << 16) |
         (std::uint32_t(std::uint8_t(name[2])) << 8) | std::uint32_t(std::uint8_t(name[3]));
}

constexpr std::uint32_t kIhdr = ChunkType("IHDR");
constexpr std::uint32_t kPlte = ChunkType("PLTE");
constexpr std::uint32_t kIdat = ChunkType("IDAT");
constexpr std::uint32_t kIend = ChunkType("IEND");
constexpr std::uint32_t kGama = ChunkType("gAMA");
constexpr std::uint32_t kBkgd = ChunkType("bKGD");
constexpr std::uint32_t kTrns = ChunkType("tRNS");

struct Chunk {
  std::uint32_t type = 0;
  std::span<const std::uint8_t> data;
};

// Hands out the chunks one by one, each with its length checked against the bytes that
// remain and its CRC verified.
class ChunkReader {
 public:
  explicit ChunkReader(std::span<const std::uint8_t> bytes) : bytes_(bytes, FailInside) {
    bytes_.Skip(kSignature.size(), "signature");
  }

  Chunk Next() {
    const std::uint32_t length = bytes_.Be32("chunk length");
    const std::uint32_t type = bytes_.Be32("chunk type");
    const std::span<const std::uint8_t> data = bytes_.Take(length, "chunk data");
    const std::uint32_t stored = bytes_.Be32("chunk CRC");
    const std::uint8_t* typed = data.data() - 4;  // the type and data the CRC covers
    if (stored != static_cast<std::uint32_t>(crc32(0, typed, length + 4))) Fail(kCrcError);
    return Chunk{type, data};
  }

 private:
  ByteReader bytes_;
};

bool ValidColourFormat(int colourType, int depth) {
  switch (colourType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 2: case 4: case 6: return depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    default: return false;
  }
}

PngHeader ReadHeader(const Chunk& chunk) {
  if (chunk.type != kIhdr || chunk.data.size() != 13) Fail(kInvalidFormat);
  const std::uint8_t* d = chunk.data.data();
  const std::uint32_t width = ByteReader::Be32Of(chunk.data.subspan<0, 4>());
  const std::uint32_t height = ByteReader::Be32Of(chunk.data.subspan<4, 4>());
  if (width == 0 || height == 0) Fail(kInvalidFormat);
  if (d[10] != 0) Fail(kSchemeNotSupported);
  PngHeader header;
  header.depth = d[8];
  header.colourType = d[9];
  if (!ValidColourFormat(header.colourType, header.depth)) Fail(kInvalidColourFormat);
  if (d[11] != 0 || d[12] > 1) Fail(kInvalidFormat);
  if (!PictureSizeAllowed(width, height)) Fail(kInvalidFormat);
  header.width = static_cast<int>(width);
  header.height = static_cast<int>(height);
  header.interlaced = d[12] == 1;
  return header;
}

// A tRNS sample is two bytes whatever the depth; 16-bit ones are reduced to 8 bits.
int TransparencySample(const std::uint8_t* sample, int depth) { return depth == 16 ? sample[0] : sample[1]; }

// Everything the ancillary and palette chunks contribute to the pixels.
struct ImageExtras {
  PngPalette palette{};  // padded with black: an index past the palette reads black
  int paletteEntries = 0;
  double gamma = 0;  // 0 while no gAMA was read
  std::int32_t transparentColor = -1;
};

void ReadPalette(const Chunk& chunk, ImageExtras& extras) {
  const std::size_t size = chunk.data.size();
  // An empty palette is tolerated as other readers tolerate it: every index then reads
  // black.
  if (size % 3 != 0 || size > 256 * 3) Fail(kInvalidPalette);
  extras.palette.fill(0);
  extras.paletteEntries = static_cast<int>(size / 3);
  for (int i = 0; i < extras.paletteEntries; ++i) {
    const std::uint8_t* rgb = chunk.data.data() + 3 * i;
    extras.palette[i] = (std::uint32_t{rgb[0]} << 16) | (std::uint32_t{rgb[1]} << 8) | rgb[2];
  }
}

// Grey and RGB images name one transparent colour; palette images carry an alpha table
// that the indexed output has no place for, so it is passed over, whatever its length
// (entries past the palette, which other readers ignore, included).
void ReadTransparency(const Chunk& chunk, const PngHeader& header, ImageExtras& extras) {
  const std::uint8_t* d = chunk.data.data();
  const int sampleMax = (1 << std::min(header.depth, 8)) - 1;
  switch (header.colourType) {
    case 0: {
      if (chunk.data.size() != 2) Fail(kInvalidFormat);
      const int grey = header.depth == 16 ? d[0] : (((d[0] << 8) | d[1]) & sampleMax) * 255 / sampleMax;
      extras.transparentColor = grey | (grey << 8) | (grey << 16);
      break;
    }
    case 2: {
      if (chunk.data.size() != 6) Fail(kInvalidFormat);
      const int r = TransparencySample(d, header.depth);
      const int g = TransparencySample(d + 2, header.depth);
      const int b = TransparencySample(d + 4, header.depth);
      extras.transparentColor = r | (g << 8) | (b << 16);
      break;
    }
    default:
      break;
  }
}

void ReadGamma(const Chunk& chunk, ImageExtras& extras) {
  if (chunk.data.size() != 4) Fail(kInvalidFormat);
  const std::uint32_t value = ByteReader::Be32Of(chunk.data.first<4>());
  extras.gamma = value > 0 && value <= 0x7FFFFFFF ? value / 100000.0 : 1.0;
}

void ApplyGamma(double gamma, SkinBitmap& bitmap) {
  std::array<std::uint32_t, 256> table{};
  const double exponent = 1.0 / (gamma * 2.2);
  for (int s = 0; s < 256; ++s) {
    table[s] = static_cast<std::uint32_t>(std::lround(255.0 * std::pow(s / 255.0, exponent)));
  }
  // The usual file gamma of 1 / 2.2 maps every sample to itself.
  bool identity = true;
  for (int s = 0; s < 256; ++s) identity = identity && table[s] == static_cast<std::uint32_t>(s);
  if (identity) return;
  const auto map = [&table](std::uint32_t c) {
    return (c & 0xFF000000u) | (table[(c >> 16) & 0xFF] << 16) | (table[(c >> 8) & 0xFF] << 8) |
           table[c & 0xFF];
  };
  for (std::uint32_t& pixel : bitmap.pixels) pixel = map(pixel);
  if (bitmap.transparentColor >= 0) {
    bitmap.transparentColor = static_cast<std::int32_t>(map(static_cast<std::uint32_t>(bitmap.transparentColor)));
  }
}

// Inflates the IDAT data, one chunk after the other as one zlib stream, in blocks large
// enough for zlib's fast path and small enough to stay in cache, and hands out rows.
class ImageDataInflater : public PngRowSource {
 public:
  ImageDataInflater(const std::vector<std::span<const std::uint8_t>>& parts, std::uint64_t expected)
      : parts_(parts), unread_(expected), block_(static_cast<std::size_t>(std::min<std::uint64_t>(expected, kBlockSize))) {
    if (inflateInit(&stream_) != Z_OK) throw ECompressionError(kInflaterError);
  }
  ~ImageDataInflater() override { inflateEnd(&stream_); }
  ImageDataInflater(const ImageDataInflater&) = delete;
  ImageDataInflater& operator=(const ImageDataInflater&) = delete;

  void Read(std::uint8_t* destination, std::size_t length) override {
    while (length > 0) {
      if (blockStart_ == blockEnd_) Refill();
      const std::size_t n = std::min(length, blockEnd_ - blockStart_);
      std::memcpy(destination, block_.data() + blockStart_, n);
      blockStart_ += n;
      destination += n;
      length -= n;
    }
  }

  // Every row has been read: what is left of the stream must be its end alone.
  void Finish() {
    std::uint8_t spare = 0;
    while (!ended_) {
      if (stream_.avail_in == 0 && !NextPart()) return;  // the stream's end may be missing
      stream_.next_out = &spare;
      stream_.avail_out = 1;
      const int result = inflate(&stream_, Z_NO_FLUSH);
      if (stream_.avail_out == 0) Fail(kExtraData);
      if (result == Z_STREAM_END) {
        ended_ = true;
      } else if (result != Z_OK && result != Z_BUF_ERROR) {
        Fail(kCompressionError);
      }
    }
    if (stream_.avail_in != 0) Fail(kExtraData);
    while (NextPart()) {
      if (stream_.avail_in != 0) Fail(kExtraData);
    }
  }

 private:
  static constexpr std::uint64_t kBlockSize = 64 * 1024;

  bool NextPart() {
    if (part_ == parts_.size()) return false;
    stream_.next_in = const_cast<Bytef*>(parts_[part_].data());
    stream_.avail_in = static_cast<uInt>(parts_[part_].size());
    ++part_;
    return true;
  }

  void Refill() {
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(unread_, block_.size()));
    stream_.next_out = block_.data();
    stream_.avail_out = static_cast<uInt>(wanted);
    while (stream_.avail_out != 0) {
      if (ended_) Fail(kExtraData);  // the stream ended while a row still lacks bytes
      if (stream_.avail_in == 0 && !NextPart()) Fail(kCompressionError);
      const int result = inflate(&stream_, Z_NO_FLUSH);
      if (result == Z_STREAM_END) {
        ended_ = true;
      } else if (result != Z_OK && result != Z_BUF_ERROR) {
        Fail(kCompressionError);
      }
    }
    blockStart_ = 0;
    blockEnd_ = wanted;
    unread_ -= wanted;
  }

  const std::vector<std::span<const std::uint8_t>>& parts_;
  std::size_t part_ = 0;
  std::uint64_t unread_;
  std::vector<std::uint8_t> block_;
  std::size_t blockStart_ = 0;
  std::size_t blockEnd_ = 0;
  bool ended_ = false;
  z_stream stream_{};
};

}  // namespace

bool HasPngSignature(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kSignature.size() &&
         std::memcmp(bytes.data(), kSignature.data(), kSignature.size()) == 0;
}

SkinImageSize ReadPngSize(std::span<const std::uint8_t> bytes) {
  if (!HasPngSignature(bytes)) Fail(kInvalidFormat);
  ChunkReader reader(bytes);
  const PngHeader header = ReadHeader(reader.Next());
  return {header.width, header.height};
}

SkinBitmap DecodePng(std::span<const std::uint8_t> bytes) {
  if (!HasPngSignature(bytes)) Fail(kInvalidFormat);
  ChunkReader reader(bytes);
  const PngHeader header = ReadHeader(reader.Next());

  ImageExtras extras;
  std::vector<std::span<const std::uint8_t>> imageData;
  std::uint64_t compressedTotal = 0;
  bool paletteSeen = false;
  for (;;) {
    const Chunk chunk = reader.Next();
    if (chunk.type == kIend) break;
    if (chunk.type == kIdat) {
      imageData.push_back(chunk.data);
      compressedTotal += chunk.data.size();
    } else if (chunk.type == kPlte) {
      ReadPalette(chunk, extras);
      paletteSeen = true;
    } else if (chunk.type == kTrns) {
      ReadTransparency(chunk, header, extras);
    } else if (chunk.type == kGama) {
      ReadGamma(chunk, extras);
    } else if (chunk.type == kBkgd) {
      // The background only fills the image before the rows are decoded, and the rows
      // write every pixel, so it never shows.
    } else if ((chunk.type & 0x20000000u) == 0) {
      Fail(kCriticalChunk);
    }
  }
  if (header.colourType == 3 && !paletteSeen) Fail(kInvalidFormat);
  if (imageData.empty()) Fail(kInvalidFormat);

  const std::uint64_t expected = PngImageDataSize(header);
  // A buffer for more than deflate could ever give would never fill: the allocation stays
  // tied to the file's size (the slack covers the zlib header and checksum).
  if (expected > compressedTotal * kMaxDeflateRatio + 64) Fail(kExtraData);
  ImageDataInflater rows(imageData, expected);

  SkinBitmap bitmap;
  bitmap.width = header.width;
  bitmap.height = header.height;
  bitmap.sourceBits = PngOutputBits(header);
  bitmap.pixels.resize(static_cast<std::size_t>(header.width) * static_cast<std::size_t>(header.height));
  if (!DecodePngRows(header, extras.palette, rows, bitmap.View())) Fail(kInvalidFormat);
  rows.Finish();
  bitmap.transparentColor = extras.transparentColor;
  if (extras.gamma > 0) ApplyGamma(extras.gamma, bitmap);
  return bitmap;
}

}  // namespace klarvik
