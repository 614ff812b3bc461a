// SSE2 versions of the blend rows. Every formula is rewritten as a sum of two
// non-negative 16-bit products, k·D + (256 − k)·S ≤ 65280, so the 16-bit lanes never
// overflow and the logical shift equals the arithmetic one of the scalar reference.
#include "paint/primitives/cpu_features.h"
KLARVIK_ENABLE_SSE2_UNIT

#include "paint/primitives/blend.h"

#if KLARVIK_HAVE_SSE2_PATH
#include <emmintrin.h>

namespace {

// The 16-bit lanes of the alpha channels (lane 3 of each pixel).
inline __m128i AlphaLanes() { return _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0); }

inline __m128i Select(__m128i mask, __m128i a, __m128i b) {
  return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

// (k·d + (256 − k)·s) >> 8 in every 16-bit lane.
inline __m128i Keep16(__m128i d, __m128i s, __m128i k) {
  const __m128i inv = _mm_sub_epi16(_mm_set1_epi16(256), k);
  return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(k, d), _mm_mullo_epi16(inv, s)), 8);
}

// Copies each pixel's alpha lane into its four lanes.
inline __m128i BroadcastAlpha(__m128i p16) {
  return _mm_shufflehi_epi16(_mm_shufflelo_epi16(p16, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
}

// Two pixels of 16-bit lanes under "keep with one k", destination alpha kept.
inline __m128i KeepPair(__m128i d, __m128i s, __m128i k) { return Select(AlphaLanes(), d, Keep16(d, s, k)); }

// Two pixels under "alpha over".
inline __m128i OverPair(__m128i d, __m128i s) {
  const __m128i a = BroadcastAlpha(s);
  const __m128i colour = Keep16(s, d, a);  // (a·s + (256 − a)·d) >> 8
  // da + a·(255 − da) ÷ 255; the division by 255 is exact as (x·0x8081) >> 23 for x < 65536.
  const __m128i grow = _mm_mullo_epi16(a, _mm_sub_epi16(_mm_set1_epi16(255), d));
  const __m128i alpha = _mm_add_epi16(d, _mm_srli_epi16(_mm_mulhi_epu16(grow, _mm_set1_epi16(static_cast<short>(0x8081))), 7));
  return Select(AlphaLanes(), alpha, colour);
}

// Two pixels under the masked keep (k per channel from the mask), destination alpha kept.
inline __m128i MaskedPair(__m128i d, __m128i s, __m128i m) { return Select(AlphaLanes(), d, Keep16(d, s, m)); }

inline __m128i Load(const std::uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(std::uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
inline __m128i Lo(__m128i v) { return _mm_unpacklo_epi8(v, _mm_setzero_si128()); }
inline __m128i Hi(__m128i v) { return _mm_unpackhi_epi8(v, _mm_setzero_si128()); }

}  // namespace

namespace blend_sse2 {

bool Available() { return CpuHasSse2(); }

KLARVIK_SSE2_ENTRY void KeepRow(std::uint32_t* dst, const std::uint32_t* src, int count, int k) {
  const __m128i k16 = _mm_set1_epi16(static_cast<short>(k));
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i d = Load(dst + i), s = Load(src + i);
    Store(dst + i, _mm_packus_epi16(KeepPair(Lo(d), Lo(s), k16), KeepPair(Hi(d), Hi(s), k16)));
  }
  blend_scalar::KeepRow(dst + i, src + i, count - i, k);
}

KLARVIK_SSE2_ENTRY void OverRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i d = Load(dst + i), s = Load(src + i);
    Store(dst + i, _mm_packus_epi16(OverPair(Lo(d), Lo(s)), OverPair(Hi(d), Hi(s))));
  }
  blend_scalar::OverRow(dst + i, src + i, count - i);
}

KLARVIK_SSE2_ENTRY void MaskedRow(std::uint32_t* dst, const std::uint32_t* image, const std::uint32_t* mask, int count,
                                  const MaskedRowHoles& holes) {
  const __m128i colourBits = _mm_set1_epi32(0x00FFFFFF);
  const __m128i key = _mm_set1_epi32(0x00FF00FF);
  const __m128i opaque = _mm_set1_epi32(holes.opaque ? static_cast<int>(0xFF000000u) : 0);
  const __m128i fill = _mm_set1_epi32(static_cast<int>(holes.fillPixel));
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i d = Load(dst + i), s = Load(image + i), m = Load(mask + i);
    const __m128i blended = _mm_packus_epi16(MaskedPair(Lo(d), Lo(s), Lo(m)), MaskedPair(Hi(d), Hi(s), Hi(m)));
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
