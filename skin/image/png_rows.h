#pragma once
// The row stage of the PNG decoder: sizes of the inflated image data, unfiltering and
// conversion of the samples to 32-bit pixels. Apart from the chunk stage so that each
// can be read on its own.
#include <array>
#include <cstddef>
#include <cstdint>

#include "base/pixel_view.h"

namespace klarvik {

struct PngHeader {
  int width = 0;
  int height = 0;
  int depth = 0;
  int colourType = 0;
  bool interlaced = false;
};

// Palette colours as 0x00RRGGBB pixels, 256 entries.
using PngPalette = std::array<std::uint32_t, 256>;

// Bytes of inflated image data the header asks for: every row of every pass with its
// filter byte.
std::uint64_t PngImageDataSize(const PngHeader& header);

// sourceBits of the decoded picture.
int PngOutputBits(const PngHeader& header);

// Where the rows come from: the inflated image data, read in order.
class PngRowSource {
 public:
  virtual ~PngRowSource() = default;
  // Fills `length` bytes or raises the image-data error.
  virtual void Read(std::uint8_t* destination, std::size_t length) = 0;
};

// Reads every row of every pass with its filter byte, unfilters it and writes every pixel
// of `out` (the header's size). False when a row names a filter type above 4.
bool DecodePngRows(const PngHeader& header, const PngPalette& palette, PngRowSource& rows, const PixelView& out);

}  // namespace klarvik
