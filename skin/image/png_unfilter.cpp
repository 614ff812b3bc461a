// The unfilter row the decoder calls: the fastest this processor runs, chosen once.
#include "skin/image/png_unfilter.h"

namespace klarvik {

bool PngUnfilter(int filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t length, std::size_t bpp) {
  static const auto unfilter =
      png_unfilter_sse2::Available() ? png_unfilter_sse2::Unfilter : png_unfilter_scalar::Unfilter;
  return unfilter(filter, row, prior, length, bpp);
}

}  // namespace klarvik
