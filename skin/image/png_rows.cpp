#include "skin/image/png_rows.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <utility>
#include <vector>

#include "skin/image/png_unfilter.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace klarvik {

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

std::uint32_t Grey(std::uint32_t g) { return (g << 16) | (g << 8) | g; }

// Converts one unfiltered row of `count` pixels to 0x00RRGGBB (0xAARRGGBB for RGBA).
void ConvertRow(const PngHeader& h, const PngPalette& palette, const std::uint8_t* row, int count,
                std::uint32_t* out) {
  const int depth = h.depth;
  switch (h.colourType) {
    case 6:
      if (depth == 8) {
        int x = 0;
#if defined(__SSE2__)
        // Four pixels at a time; the loop below is the reference and does the rest.
        const __m128i redBlue = _mm_set1_epi32(0x00FF00FF);
        for (; x + 4 <= count; x += 4) {
          const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 4 * x));
          const __m128i rb = _mm_and_si128(v, redBlue);
          const __m128i swapped = _mm_or_si128(_mm_srli_epi32(rb, 16), _mm_slli_epi32(rb, 16));
          _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_or_si128(_mm_andnot_si128(redBlue, v), swapped));
        }
#endif
        for (; x < count; ++x) {
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

bool DecodePngRows(const PngHeader& h, const PngPalette& palette, PngRowSource& rows, const PixelView& out) {
  const std::size_t bpp = BitsPerPixel(h) >= 8 ? static_cast<std::size_t>(BitsPerPixel(h) / 8) : 1;
  const auto widest = static_cast<std::size_t>(RowBytes(h, h.width));
  // Two rows with their filter bytes, taking turns as the current and the prior row.
  std::vector<std::uint8_t> buffers(2 * (widest + 1), 0);
  std::vector<std::uint32_t> passPixels(h.interlaced ? static_cast<std::size_t>(h.width) : 0);
  const std::span<const Pass> passes = h.interlaced ? std::span<const Pass>(kAdam7) : std::span<const Pass>(&kWholeImage, 1);
  for (const Pass& pass : passes) {
    const int columns = PassExtent(h.width, pass.startColumn, pass.columnStep);
    const int passRows = PassExtent(h.height, pass.startRow, pass.rowStep);
    if (columns == 0 || passRows == 0) continue;
    const auto length = static_cast<std::size_t>(RowBytes(h, columns));
    std::uint8_t* current = buffers.data();
    std::uint8_t* prior = buffers.data() + widest + 1;
    std::fill(prior, prior + length + 1, std::uint8_t{0});
    for (int r = 0; r < passRows; ++r) {
      rows.Read(current, length + 1);
      std::uint8_t* row = current + 1;
      if (!PngUnfilter(current[0], row, prior + 1, length, bpp)) return false;
      const int y = pass.startRow + r * pass.rowStep;
      std::uint32_t* target = &out.At(0, y);
      if (h.interlaced) {
        ConvertRow(h, palette, row, columns, passPixels.data());
        for (int i = 0; i < columns; ++i) target[pass.startColumn + i * pass.columnStep] = passPixels[i];
      } else {
        ConvertRow(h, palette, row, columns, target);
      }
      std::swap(current, prior);
    }
  }
  return true;
}

}  // namespace klarvik
