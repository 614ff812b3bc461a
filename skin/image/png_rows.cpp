#include "skin/image/png_rows.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Pass {
  int startRow, startColumn, rowStep, columnStep;
};

constexpr Pass kWholeImage = {0, 0, 1, 1};
constexpr Pass kAdam7[7] = {{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                            {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}};

int Channels(int colourType) {
  switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

int BitsPerPixel(const PngHeader& h) { return h.depth * Channels(h.colourType); }

int PassExtent(int size, int start, int step) { return size > start ? (size - start + step - 1) / step : 0; }

std::uint64_t RowBytes(const PngHeader& h, int width) {
  return (std::uint64_t(width) * std::uint64_t(BitsPerPixel(h)) + 7) / 8;
}

std::uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a);
  const int pb = std::abs(p - b);
  const int pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
  if (pb <= pc) return static_cast<std::uint8_t>(b);
  return static_cast<std::uint8_t>(c);
}

// Reverses one row's filter in place; `prior` is the previous row of the pass already
// unfiltered (all zero for a pass's first row). `bpp` is bytes per complete pixel, at
// least 1.
bool Unfilter(int filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t length, int bpp) {
  const std::size_t b = static_cast<std::size_t>(bpp);
  switch (filter) {
    case 0:
      return true;
    case 1:
      for (std::size_t i = b; i < length; ++i) row[i] = static_cast<std::uint8_t>(row[i] + row[i - b]);
      return true;
    case 2:
      for (std::size_t i = 0; i < length; ++i) row[i] = static_cast<std::uint8_t>(row[i] + prior[i]);
      return true;
    case 3:
      for (std::size_t i = 0; i < b && i < length; ++i) {
        row[i] = static_cast<std::uint8_t>(row[i] + (prior[i] >> 1));
      }
      for (std::size_t i = b; i < length; ++i) {
        row[i] = static_cast<std::uint8_t>(row[i] + ((row[i - b] + prior[i]) >> 1));
      }
      return true;
    case 4:
      for (std::size_t i = 0; i < b && i < length; ++i) row[i] = static_cast<std::uint8_t>(row[i] + prior[i]);
      for (std::size_t i = b; i < length; ++i) {
        row[i] = static_cast<std::uint8_t>(row[i] + Paeth(row[i - b], prior[i], prior[i - b]));
      }
      return true;
    default:
      return false;
  }
}

std::uint32_t Grey(std::uint32_t g) { return (g << 16) | (g << 8) | g; }

// Converts one unfiltered row of `count` pixels to 0x00RRGGBB (0xAARRGGBB for RGBA).
void ConvertRow(const PngHeader& h, const PngPalette& palette, const std::uint8_t* row, int count,
                std::uint32_t* out) {
  const int depth = h.depth;
  switch (h.colourType) {
    case 6:
      if (depth == 8) {
        for (int x = 0; x < count; ++x) {
          std::uint32_t v;
          std::memcpy(&v, row + 4 * x, 4);
          // Bytes R, G, B, A read little-endian; swap red and blue into place.
          out[x] = (v & 0xFF00FF00u) | ((v >> 16) & 0xFFu) | ((v & 0xFFu) << 16);
        }
      } else {
        for (int x = 0; x < count; ++x) {
          const std::uint8_t* p = row + 8 * x;
          out[x] = (std::uint32_t{p[6]} << 24) | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[2]} << 8) | p[4];
        }
      }
      return;
    case 2: {
      const int step = depth == 8 ? 3 : 6;
      const int sample = depth == 8 ? 1 : 2;
      for (int x = 0; x < count; ++x) {
        const std::uint8_t* p = row + step * x;
        out[x] = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[sample]} << 8) | p[2 * sample];
      }
      return;
    }
    case 4: {
      const int step = depth == 8 ? 2 : 4;
      for (int x = 0; x < count; ++x) out[x] = Grey(row[step * x]);
      return;
    }
    default:
      break;
  }
  if (depth >= 8) {
    const int step = depth / 8;
    for (int x = 0; x < count; ++x) {
      out[x] = h.colourType == 3 ? palette[row[step * x]] : Grey(row[step * x]);
    }
    return;
  }
  const int perByte = 8 / depth;
  const unsigned mask = (1u << depth) - 1;
  const unsigned greyScale = 255 / mask;
  for (int x = 0; x < count; ++x) {
    const int shift = 8 - depth * (x % perByte + 1);
    const unsigned sample = (row[x / perByte] >> shift) & mask;
    out[x] = h.colourType == 3 ? palette[sample] : Grey(sample * greyScale);
  }
}

}  // namespace

std::uint64_t PngImageDataSize(const PngHeader& h) {
  if (!h.interlaced) return std::uint64_t(h.height) * (RowBytes(h, h.width) + 1);
  std::uint64_t total = 0;
  for (const Pass& pass : kAdam7) {
    const int columns = PassExtent(h.width, pass.startColumn, pass.columnStep);
    const int rows = PassExtent(h.height, pass.startRow, pass.rowStep);
    if (columns > 0 && rows > 0) total += std::uint64_t(rows) * (RowBytes(h, columns) + 1);
  }
  return total;
}

int PngOutputBits(const PngHeader& h) {
  switch (h.colourType) {
    case 2: return 24;
    case 4: return 8;
    case 6: return 32;
    default: return h.depth == 1 ? 1 : h.depth <= 4 ? 4 : 8;
  }
}

bool DecodePngRows(const PngHeader& h, const PngPalette& palette, std::span<std::uint8_t> rows,
                   const PixelView& out) {
  const int bpp = BitsPerPixel(h) >= 8 ? BitsPerPixel(h) / 8 : 1;
  std::vector<std::uint8_t> zeroRow(static_cast<std::size_t>(RowBytes(h, h.width)), 0);
  std::vector<std::uint32_t> passPixels(h.interlaced ? static_cast<std::size_t>(h.width) : 0);
  std::uint8_t* cursor = rows.data();
  const std::span<const Pass> passes = h.interlaced ? std::span<const Pass>(kAdam7) : std::span<const Pass>(&kWholeImage, 1);
  for (const Pass& pass : passes) {
    const int columns = PassExtent(h.width, pass.startColumn, pass.columnStep);
    const int passRows = PassExtent(h.height, pass.startRow, pass.rowStep);
    if (columns == 0 || passRows == 0) continue;
    const auto length = static_cast<std::size_t>(RowBytes(h, columns));
    const std::uint8_t* prior = zeroRow.data();
    for (int r = 0; r < passRows; ++r) {
      std::uint8_t* row = cursor + 1;
      if (!Unfilter(cursor[0], row, prior, length, bpp)) return false;
      const int y = pass.startRow + r * pass.rowStep;
      std::uint32_t* target = &out.At(0, y);
      if (h.interlaced) {
        ConvertRow(h, palette, row, columns, passPixels.data());
        for (int i = 0; i < columns; ++i) target[pass.startColumn + i * pass.columnStep] = passPixels[i];
      } else {
        ConvertRow(h, palette, row, columns, target);
      }
      prior = row;
      cursor += length + 1;
    }
  }
  return true;
}
