// SSE2 versions of the average and Paeth filters: all bytes of a pixel at once in 16-bit
// lanes. Pixels depend on their left neighbour, so the speed comes from the lanes, not
// from a wider stride. Every intermediate lies within ±510, so 16-bit lanes hold it exactly.
#include "base/cpu_features.h"

#include <cstring>

#include "skin/image/png_unfilter.h"

#if KLARVIK_HAVE_SSE2_PATH
#include <emmintrin.h>
#endif

namespace klarvik {

#if KLARVIK_HAVE_SSE2_PATH
namespace {

// One pixel's bytes widened to 16-bit lanes; the lanes past the pixel are zero.
template <std::size_t bpp>
inline __m128i LoadPixel(const std::uint8_t* p) {
  alignas(8) std::uint8_t bytes[8] = {};
  std::memcpy(bytes, p, bpp);
  return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(bytes)), _mm_setzero_si128());
}

// Writes back the low byte of each of the pixel's lanes.
template <std::size_t bpp>
inline void StorePixel(std::uint8_t* p, __m128i v) {
  alignas(8) std::uint8_t bytes[8];
  _mm_storel_epi64(reinterpret_cast<__m128i*>(bytes), _mm_packus_epi16(v, v));
  std::memcpy(p, bytes, bpp);
}

inline __m128i Select(__m128i mask, __m128i yes, __m128i no) {
  return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

// Ties go to a, then b, as in the scalar reference.
template <std::size_t bpp>
void UnpaethWide(std::uint8_t* row, const std::uint8_t* prior, std::size_t length) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i lowBytes = _mm_set1_epi16(0x00FF);
  const auto absolute = [&zero](__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(zero, v)); };
  __m128i a = zero;
  __m128i c = zero;
  for (std::size_t i = 0; i + bpp <= length; i += bpp) {
    const __m128i b = LoadPixel<bpp>(prior + i);
    const __m128i x = LoadPixel<bpp>(row + i);
    const __m128i pa = absolute(_mm_sub_epi16(b, c));
    const __m128i pb = absolute(_mm_sub_epi16(a, c));
    const __m128i pc = absolute(_mm_add_epi16(_mm_sub_epi16(b, c), _mm_sub_epi16(a, c)));
    const __m128i smallest = _mm_min_epi16(pa, _mm_min_epi16(pb, pc));
    __m128i predicted = Select(_mm_cmpeq_epi16(pb, smallest), b, c);
    predicted = Select(_mm_cmpeq_epi16(pa, smallest), a, predicted);
    a = _mm_and_si128(_mm_add_epi16(x, predicted), lowBytes);
    StorePixel<bpp>(row + i, a);
    c = b;
  }
}

template <std::size_t bpp>
void UnaverageWide(std::uint8_t* row, const std::uint8_t* prior, std::size_t length) {
  const __m128i lowBytes = _mm_set1_epi16(0x00FF);
  __m128i a = _mm_setzero_si128();
  for (std::size_t i = 0; i + bpp <= length; i += bpp) {
    const __m128i b = LoadPixel<bpp>(prior + i);
    const __m128i x = LoadPixel<bpp>(row + i);
    a = _mm_and_si128(_mm_add_epi16(x, _mm_srli_epi16(_mm_add_epi16(a, b), 1)), lowBytes);
    StorePixel<bpp>(row + i, a);
  }
}

}  // namespace

namespace png_unfilter_sse2 {

bool Available() { return CpuHasSse2(); }

KLARVIK_SSE2_ENTRY bool Unfilter(int filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t length,
                                 std::size_t bpp) {
  if (filter == 3) {
    switch (bpp) {
      case 3: UnaverageWide<3>(row, prior, length); return true;
      case 4: UnaverageWide<4>(row, prior, length); return true;
      case 6: UnaverageWide<6>(row, prior, length); return true;
      case 8: UnaverageWide<8>(row, prior, length); return true;
      default: break;
    }
  } else if (filter == 4) {
    switch (bpp) {
      case 3: UnpaethWide<3>(row, prior, length); return true;
      case 4: UnpaethWide<4>(row, prior, length); return true;
      case 6: UnpaethWide<6>(row, prior, length); return true;
      case 8: UnpaethWide<8>(row, prior, length); return true;
      default: break;
    }
  }
  return png_unfilter_scalar::Unfilter(filter, row, prior, length, bpp);
}

}  // namespace png_unfilter_sse2

#else

namespace png_unfilter_sse2 {
bool Available() { return false; }
bool Unfilter(int filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t length, std::size_t bpp) {
  return png_unfilter_scalar::Unfilter(filter, row, prior, length, bpp);
}
}  // namespace png_unfilter_sse2

#endif

}  // namespace klarvik
