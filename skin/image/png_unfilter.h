#pragma once
// Reversing the PNG row filters. A plain scalar reference and an SSE2 version that must
// give the same bytes; PngUnfilter calls the fastest the processor runs, chosen once
// (png_unfilter.cpp).
#include <cstddef>
#include <cstdint>

namespace klarvik {

// Each Unfilter reverses filter type `filter` of one row of `length` bytes in place.
// `prior` is the previous row of the pass, already unfiltered (all zero for a pass's first
// row); `bpp` is bytes per complete pixel, at least 1, and `length` a multiple of it.
// False for a filter type above 4.
namespace png_unfilter_scalar {
bool Unfilter(int filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t length, std::size_t bpp);
}  // namespace png_unfilter_scalar

// The average and Paeth filters of pixels of 3, 4, 6 or 8 bytes; the other rows go to the
// scalar reference.
namespace png_unfilter_sse2 {
bool Available();
bool Unfilter(int filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t length, std::size_t bpp);
}  // namespace png_unfilter_sse2

bool PngUnfilter(int filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t length, std::size_t bpp);

}  // namespace klarvik
