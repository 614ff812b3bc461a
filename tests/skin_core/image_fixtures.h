#pragma once
// Small writers of PNG and BMP files for the image tests: every field is set by the
// test, so each damaged case differs from a good file in exactly one place.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace klarvik {

namespace image_fixtures {

using Bytes = std::vector<std::uint8_t>;

inline void PutBe32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}
inline void PutLe16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void PutLe32(Bytes& out, std::uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}

inline const Bytes kPngSignature = {137, 80, 78, 71, 13, 10, 26, 10};

// One chunk with its length and a correct CRC.
inline Bytes Chunk(const std::string& type, const Bytes& data) {
  Bytes out;
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  Bytes typed(type.begin(), type.end());
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  PutBe32(out, static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
  return out;
}

struct PngHeaderFields {
  std::uint32_t width = 1;
  std::uint32_t height = 1;
  int depth = 8;
  int colourType = 6;
  int compression = 0;
  int filterMethod = 0;
  int interlace = 0;
};

inline Bytes IhdrData(const PngHeaderFields& h) {
  Bytes d;
  PutBe32(d, h.width);
  PutBe32(d, h.height);
  d.push_back(static_cast<std::uint8_t>(h.depth));
  d.push_back(static_cast<std::uint8_t>(h.colourType));
  d.push_back(static_cast<std::uint8_t>(h.compression));
  d.push_back(static_cast<std::uint8_t>(h.filterMethod));
  d.push_back(static_cast<std::uint8_t>(h.interlace));
  return d;
}

inline Bytes Deflate(const Bytes& raw, int level = Z_DEFAULT_COMPRESSION) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  if (compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), level) != Z_OK) {
    throw std::runtime_error("compress2 failed");
  }
  out.resize(size);
  return out;
}

inline int ChannelsOf(int colourType) {
  return colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
}

// A picture as samples: `samples[(y * width + x) * channels + c]`, each below 2^depth.
struct SampleImage {
  int width = 0;
  int height = 0;
  int depth = 8;
  int colourType = 6;
  std::vector<std::uint32_t> samples;
};

inline std::uint8_t PaethPredict(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = p > a ? p - a : a - p;
  const int pb = p > b ? p - b : b - p;
  const int pc = p > c ? p - c : c - p;
  return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Packs the given columns of one row big-endian at the image's depth.
inline Bytes PackRow(const SampleImage& img, int y, int firstColumn, int columnStep) {
  const int channels = ChannelsOf(img.colourType);
  Bytes row;
  std::uint32_t acc = 0;
  int bits = 0;
  for (int x = firstColumn; x < img.width; x += columnStep) {
    for (int c = 0; c < channels; ++c) {
      const std::uint32_t s = img.samples[(std::size_t(y) * img.width + x) * channels + c];
      if (img.depth == 16) {
        row.push_back(static_cast<std::uint8_t>(s >> 8));
        row.push_back(static_cast<std::uint8_t>(s));
      } else if (img.depth == 8) {
        row.push_back(static_cast<std::uint8_t>(s));
      } else {
        acc = (acc << img.depth) | s;
        bits += img.depth;
        if (bits == 8) {
          row.push_back(static_cast<std::uint8_t>(acc));
          acc = 0;
          bits = 0;
        }
      }
    }
  }
  if (bits > 0) row.push_back(static_cast<std::uint8_t>(acc << (8 - bits)));
  return row;
}

// Filters one packed row the way an encoder does (the decoder must undo it).
inline Bytes FilterRow(int filter, const Bytes& row, const Bytes& prior, int bpp) {
  Bytes out{static_cast<std::uint8_t>(filter)};
  for (std::size_t i = 0; i < row.size(); ++i) {
    const int a = i >= std::size_t(bpp) ? row[i - bpp] : 0;
    const int b = prior.empty() ? 0 : prior[i];
    const int c = i >= std::size_t(bpp) && !prior.empty() ? prior[i - bpp] : 0;
    int predicted = 0;
    switch (filter) {
      case 1: predicted = a; break;
      case 2: predicted = b; break;
      case 3: predicted = (a + b) / 2; break;
      case 4: predicted = PaethPredict(a, b, c); break;
      default: break;
    }
    out.push_back(static_cast<std::uint8_t>(row[i] - predicted));
  }
  return out;
}

// The inflated image data: every row of every pass with the filter given; filter -1
// cycles through all five from row to row.
inline Bytes ImageData(const SampleImage& img, int filter, bool interlaced) {
  const int bitsPerPixel = img.depth * ChannelsOf(img.colourType);
  const int bpp = bitsPerPixel >= 8 ? bitsPerPixel / 8 : 1;
  struct Pass { int row, column, rowStep, columnStep; };
  const std::vector<Pass> passes =
      interlaced ? std::vector<Pass>{{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                                     {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}}
                 : std::vector<Pass>{{0, 0, 1, 1}};
  Bytes data;
  for (const Pass& pass : passes) {
    if (pass.column >= img.width) continue;
    Bytes prior;
    int rowIndex = 0;
    for (int y = pass.row; y < img.height; y += pass.rowStep, ++rowIndex) {
      const Bytes row = PackRow(img, y, pass.column, pass.columnStep);
      const Bytes filtered = FilterRow(filter < 0 ? rowIndex % 5 : filter, row, prior, bpp);
      data.insert(data.end(), filtered.begin(), filtered.end());
      prior = row;
    }
  }
  return data;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

inline PngHeaderFields HeaderOf(const SampleImage& img, bool interlaced) {
  PngHeaderFields h;
  h.width = static_cast<std::uint32_t>(img.width);
  h.height = static_cast<std::uint32_t>(img.height);
  h.depth = img.depth;
  h.colourType = img.colourType;
  h.interlace = interlaced ? 1 : 0;
  return h;
}

// A whole PNG file: signature, IHDR, the chunks given before the image data, one IDAT,
// IEND.
inline Bytes PngFile(const SampleImage& img, const Bytes& extraChunks = {}, int filter = 0,
                     bool interlaced = false) {
  return Concat({kPngSignature, Chunk("IHDR", IhdrData(HeaderOf(img, interlaced))), extraChunks,
                 Chunk("IDAT", Deflate(ImageData(img, filter, interlaced))), Chunk("IEND", {})});
}

// A picture whose samples vary in every channel, so that filters and passes show: a
// smooth left half and a noisy right half, so that the Paeth predictor meets ties.
inline SampleImage Pattern(int width, int height, int depth, int colourType) {
  SampleImage img{width, height, depth, colourType, {}};
  const int channels = ChannelsOf(colourType);
  const std::uint32_t limit = depth == 16 ? 65536u : (1u << depth);
  std::uint32_t noise = 12345;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < channels; ++c) {
        noise = noise * 1103515245u + 12345u;
        const std::uint32_t smooth = std::uint32_t(x) * 37u + std::uint32_t(y) * 91u + std::uint32_t(c) * 53u;
        img.samples.push_back((2 * x < width ? smooth : noise >> 8) % limit);
      }
    }
  }
  return img;
}

struct BmpFields {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  int planes = 1;
  int bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  std::vector<std::uint32_t> masks;    // bit fields: at byte 40 of the header, inside it or right after it
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::vector<Bytes> rows;             // as stored, padding included, file order
  std::int64_t pixelOffset = -1;       // -1: right after the palette
};

inline Bytes BmpFile(const BmpFields& f) {
  Bytes info;
  PutLe32(info, f.headerSize);
  if (f.headerSize == 12) {
    PutLe16(info, static_cast<std::uint32_t>(f.width));
    PutLe16(info, static_cast<std::uint32_t>(f.height));
    PutLe16(info, static_cast<std::uint32_t>(f.planes));
    PutLe16(info, static_cast<std::uint32_t>(f.bits));
  } else {
    PutLe32(info, static_cast<std::uint32_t>(f.width));
    PutLe32(info, static_cast<std::uint32_t>(f.height));
    PutLe16(info, static_cast<std::uint32_t>(f.planes));
    PutLe16(info, static_cast<std::uint32_t>(f.bits));
    PutLe32(info, f.compression);
    for (int i = 0; i < 3; ++i) PutLe32(info, 0);
    PutLe32(info, f.coloursUsed);
    PutLe32(info, 0);
    if (f.headerSize > 40) info.resize(40);
    for (std::uint32_t mask : f.masks) PutLe32(info, mask);
    info.resize(std::max<std::size_t>(f.headerSize, info.size()), 0);
  }
  Bytes palette;
  for (std::uint32_t c : f.palette) {
    palette.push_back(static_cast<std::uint8_t>(c));
    palette.push_back(static_cast<std::uint8_t>(c >> 8));
    palette.push_back(static_cast<std::uint8_t>(c >> 16));
    if (f.headerSize != 12) palette.push_back(0);
  }
  Bytes pixels;
  for (const Bytes& row : f.rows) pixels.insert(pixels.end(), row.begin(), row.end());
  const std::uint32_t offset = f.pixelOffset >= 0 ? static_cast<std::uint32_t>(f.pixelOffset)
                                                  : static_cast<std::uint32_t>(14 + info.size() + palette.size());
  Bytes file{'B', 'M'};
  PutLe32(file, static_cast<std::uint32_t>(14 + info.size() + palette.size() + pixels.size()));
  PutLe32(file, 0);
  PutLe32(file, offset);
  return Concat({file, info, palette, pixels});
}

// A JPEG marker segment: marker, big-endian length (payload plus the two length bytes),
// payload.
inline Bytes JpegSegment(std::uint8_t marker, const Bytes& payload) {
  const auto length = static_cast<std::uint32_t>(payload.size() + 2);
  Bytes out;
  out.reserve(payload.size() + 4);
  for (std::uint8_t b : {std::uint8_t{0xFF}, marker, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)}) {
    out.push_back(b);
  }
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

inline Bytes JpegFramePayload(int width, int height) {
  return {8, static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
          static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width), 1, 1, 0x11, 0};
}

inline const Bytes kJpegStart = {0xFF, 0xD8};

// The start of a baseline JPEG up to its frame header: enough for the size check.
inline Bytes JpegHead(int width, int height) { return Concat({kJpegStart, JpegSegment(0xC0, JpegFramePayload(width, height))}); }

}  // namespace image_fixtures

}  // namespace klarvik
