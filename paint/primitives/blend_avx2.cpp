// AVX2 versions of the keep and alpha-over rows: the SSE2 rows' arithmetic on eight
// pixels a step. Every sum lies in 0..65280, so 16-bit lanes hold it exactly.
#include "paint/primitives/blend.h"
#include "base/cpu_features.h"

#if KLARVIK_HAVE_SSE2_PATH
#include <immintrin.h>
#define KLARVIK_AVX2 __attribute__((target("avx2")))
#endif

namespace klarvik {

#if KLARVIK_HAVE_SSE2_PATH
namespace {

KLARVIK_AVX2 inline __m256i Load(const std::uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
KLARVIK_AVX2 inline void Store(std::uint32_t* p, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }

KLARVIK_AVX2 inline __m256i Select(__m256i mask, __m256i a, __m256i b) {
  return _mm256_or_si256(_mm256_and_si256(mask, a), _mm256_andnot_si256(mask, b));
}

// (k·(d − s) + 256·s) >> 8 in every 16-bit lane; the wrapped product gives the exact sum.
KLARVIK_AVX2 inline __m256i Keep16(__m256i d, __m256i s, __m256i k) {
  return _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(d, s), k), _mm256_slli_epi16(s, 8)), 8);
}

// Blue and red in the low bytes of the 16-bit lanes, green and alpha after a shift.
KLARVIK_AVX2 inline __m256i Keep8(__m256i d, __m256i s, __m256i k) {
  const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
  const __m256i rb = Keep16(_mm256_and_si256(d, lowBytes), _mm256_and_si256(s, lowBytes), k);
  const __m256i g = Keep16(_mm256_srli_epi16(d, 8), _mm256_srli_epi16(s, 8), k);
  // The alpha lane of g is worked too, but the destination's alpha replaces it.
  return Select(_mm256_set1_epi32(static_cast<int>(0xFF000000u)), d, _mm256_or_si256(rb, _mm256_slli_epi16(g, 8)));
}

KLARVIK_AVX2 inline __m256i Over8(__m256i d, __m256i s) {
  const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
  const __m256i sGA = _mm256_srli_epi16(s, 8), dGA = _mm256_srli_epi16(d, 8);
  const __m256i a =
      _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(sGA, _MM_SHUFFLE(3, 3, 1, 1)), _MM_SHUFFLE(3, 3, 1, 1));
  const __m256i rb = Keep16(_mm256_and_si256(s, lowBytes), _mm256_and_si256(d, lowBytes), a);
  const __m256i g = Keep16(sGA, dGA, a);
  // da + a·(255 − da) ÷ 255, the division exact as (x·0x8081) >> 23 for x < 65536.
  const __m256i grow = _mm256_mullo_epi16(a, _mm256_sub_epi16(lowBytes, dGA));
  const __m256i alpha =
      _mm256_add_epi16(dGA, _mm256_srli_epi16(_mm256_mulhi_epu16(grow, _mm256_set1_epi16(static_cast<short>(0x8081))), 7));
  const __m256i ga = Select(_mm256_set1_epi32(static_cast<int>(0xFFFF0000u)), alpha, g);
  return _mm256_or_si256(rb, _mm256_slli_epi16(ga, 8));
}

}  // namespace

namespace blend_avx2 {

bool Available() { return CpuHasAvx2(); }

KLARVIK_AVX2 KLARVIK_SSE2_ENTRY void KeepRow(std::uint32_t* dst, const std::uint32_t* src, int count, int k) {
  const __m256i k16 = _mm256_set1_epi16(static_cast<short>(k));
  int i = 0;
  for (; i + 8 <= count; i += 8) Store(dst + i, Keep8(Load(dst + i), Load(src + i), k16));
  blend_sse2::KeepRow(dst + i, src + i, count - i, k);
}

KLARVIK_AVX2 KLARVIK_SSE2_ENTRY void OverRow(std::uint32_t* dst, const std::uint32_t* src, int count) {
  int i = 0;
  for (; i + 8 <= count; i += 8) Store(dst + i, Over8(Load(dst + i), Load(src + i)));
  blend_sse2::OverRow(dst + i, src + i, count - i);
}

}  // namespace blend_avx2

#else

namespace blend_avx2 {
bool Available() { return false; }
void KeepRow(std::uint32_t* dst, const std::uint32_t* src, int count, int k) { blend_scalar::KeepRow(dst, src, count, k); }
void OverRow(std::uint32_t* dst, const std::uint32_t* src, int count) { blend_scalar::OverRow(dst, src, count); }
}  // namespace blend_avx2

#endif

}  // namespace klarvik
