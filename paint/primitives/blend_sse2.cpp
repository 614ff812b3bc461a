// SSE2 versions of the blend rows. Every formula's sum lies in 0..65280, so 16-bit lanes
// hold it exactly and the logical shift equals the arithmetic one of the scalar reference.
#include "base/cpu_features.h"

#include "paint/primitives/blend.h"

#if KLARVIK_HAVE_SSE2_PATH
#include <emmintrin.h>
#endif

namespace klarvik {

#if KLARVIK_HAVE_SSE2_PATH
namespace {

inline __m128i Select(__m128i mask, __m128i a, __m128i b) {
  return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

// (k·(d − s) + 256·s) >> 8 in every 16-bit lane. The product wraps in 16 bits, but the
// true sum lies in 0..65280, so the wrapped sum is exact.
inline __m128i Keep16(__m128i d, __m128i s, __m128i k) {
  return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_sub_epi16(d, s), k), _mm_slli_epi16(s, 8)), 8);
}

inline __m128i Load(const std::uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(std::uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
inline __m128i Lo(__m128i v) { return _mm_unpacklo_epi8(v, _mm_setzero_si128()); }
inline __m128i Hi(__m128i v) { return _mm_unpackhi_epi8(v, _mm_setzero_si128()); }

// Four pixels: the colour bytes of `colour` with the alpha bytes of `alpha`.
inline __m128i WithAlphaOf(__m128i colour, __m128i alpha) {
  return Select(_mm_set1_epi32(static_cast<int>(0xFF000000u)), alpha, colour);
}

// Four pixels under "keep" with per-lane weights k (16-bit lanes, low and high pixel pairs).
inline __m128i Keep4(__m128i d, __m128i s, __m128i kLo, __m128i kHi) {
  return _mm_packus_epi16(Keep16(Lo(d), Lo(s), kLo), Keep16(Hi(d), Hi(s), kHi));
}

// Four pixels under "alpha over". Blue and red are worked in the low bytes of the 16-bit
// lanes, green and alpha after a shift, so no unpacking is needed.
inline __m128i Over4(__m128i d, __m128i s) {
  const __m128i lowBytes = _mm_set1_epi16(0x00FF);
  const __m128i sGA = _mm_srli_epi16(s, 8), dGA = _mm_srli_epi16(d, 8);  // (green, alpha) per pixel
  const __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(sGA, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));
  // (a·(s − d) + 256·d) >> 8: the keep formula with the roles of s and d swapped.
  const __m128i rb = Keep16(_mm_and_si128(s, lowBytes), _mm_and_si128(d, lowBytes), a);
  const __m128i g = Keep16(sGA, dGA, a);
  // da + a·(255 − da) ÷ 255; the division by 255 is exact as (x·0x8081) >> 23 for x < 65536.
  const __m128i grow = _mm_mullo_epi16(a, _mm_sub_epi16(lowBytes, dGA));
  const __m128i alpha = _mm_add_epi16(dGA, _mm_srli_epi16(_mm_mulhi_epu16(grow, _mm_set1_epi16(static_cast<short>(0x8081))), 7));
  const __m128i ga = Select(_mm_set1_epi32(static_cast<int>(0xFFFF0000u)), alpha, g);
  return _mm_or_si128(rb, _mm_slli_epi16(ga, 8));
}

}  // namespace

namespace blend_sse2 {

bool Available() { return CpuHasSse2(); }

KLARVIK_SSE2_ENTRY void KeepRow(std::uint32_t* dst, const std::uint32_t* src, int count, int k) {
  const __m128i k16 = _mm_set1_epi16(static_cast<short>(k));
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i d = Load(dst + i), s = Load(src + i);
    Store(dst + i, WithAlphaOf(Keep4(d, s, k16, k16), d));
  }
  blend_scalar::KeepRow(dst + i, src + i, count - i, k);
}

KLARVIK_SSE2_ENTRY void OverRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m128i d0 = Load(dst + i), s0 = Load(src + i), d1 = Load(dst + i + 4), s1 = Load(src + i + 4);
    Store(dst + i, Over4(d0, s0));
    Store(dst + i + 4, Over4(d1, s1));
  }
  for (; i + 4 <= count; i += 4) Store(dst + i, Over4(Load(dst + i), Load(src + i)));
  blend_scalar::OverRow(dst + i, src + i, count - i);
}

KLARVIK_SSE2_ENTRY void MaskedRow(std::uint32_t* dst, const std::uint32_t* image, const std::uint32_t* mask, int count,
                                  const MaskedRowHoles& holes) {
  const __m128i colourBits = _mm_set1_epi32(0x00FFFFFF);
  // A key with the high byte set never equals a pixel's colour bits: no pixel is a hole.
  const __m128i key = _mm_set1_epi32(holes.keyBlends ? static_cast<int>(0xFF000000u) : 0x00FF00FF);
  const __m128i opaque = _mm_set1_epi32(holes.opaque ? static_cast<int>(0xFF000000u) : 0);
  const __m128i fill = _mm_set1_epi32(static_cast<int>(holes.fillPixel));
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i d = Load(dst + i), s = Load(image + i), m = Load(mask + i);
    const __m128i blended = WithAlphaOf(Keep4(d, s, Lo(m), Hi(m)), d);
    const __m128i isKey = _mm_cmpeq_epi32(_mm_and_si128(s, colourBits), key);
    const __m128i hole = holes.parent ? Load(holes.parent + i) : (holes.fill ? fill : d);
    Store(dst + i, _mm_or_si128(Select(isKey, hole, blended), opaque));
  }
  MaskedRowHoles rest = holes;
  if (rest.parent) rest.parent += i;
  blend_scalar::MaskedRow(dst + i, image + i, mask + i, count - i, rest);
}

}  // namespace blend_sse2

#else

namespace blend_sse2 {
bool Available() { return false; }
void KeepRow(std::uint32_t* dst, const std::uint32_t* src, int count, int k) { blend_scalar::KeepRow(dst, src, count, k); }
void OverRow(std::uint32_t* dst, const std::uint32_t* src, int count) { blend_scalar::OverRow(dst, src, count); }
void MaskedRow(std::uint32_t* dst, const std::uint32_t* image, const std::uint32_t* mask, int count,
               const MaskedRowHoles& holes) {
  blend_scalar::MaskedRow(dst, image, mask, count, holes);
}
}  // namespace blend_sse2

#endif

}  // namespace klarvik
