// SSE2 resampler. Each 16.16 weight w is split as w = 256·hi + lo with lo in 0..255, so
// both halves fit the signed 16-bit lanes of _mm_madd_epi16; 256·Σhi·p + Σlo·p is the
// same integer sum as the scalar reference, and the saturating packs clamp it the same way.
#include "base/cpu_features.h"

#include <vector>

#include "paint/primitives/resample.h"

#if KLARVIK_HAVE_SSE2_PATH
#include <emmintrin.h>
#endif

namespace klarvik {

#if KLARVIK_HAVE_SSE2_PATH
namespace {

// Weights of a pair of contributors, as the 32-bit pattern (w0, w1) of 16-bit halves.
struct PairWeights {
  std::int32_t hi;
  std::int32_t lo;
};

PairWeights Pair(std::int32_t w0, std::int32_t w1) {
  auto pack = [](std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(a) & 0xFFFF) | (static_cast<std::uint32_t>(b) << 16));
  };
  return {pack(w0 >> 8, w1 >> 8), pack(w0 & 0xFF, w1 & 0xFF)};
}

// An axis rearranged in pairs of contributors (an odd one out pairs with weight 0).
struct PairedAxis {
  std::vector<int> start;  // pairs of destination i: [start[i], start[i + 1])
  std::vector<int> first, second;
  std::vector<PairWeights> weights;
};

PairedAxis PairUp(const ResampleAxis& axis) {
  PairedAxis p;
  const int count = static_cast<int>(axis.start.size()) - 1;
  for (int i = 0; i < count; ++i) {
    p.start.push_back(static_cast<int>(p.first.size()));
    for (int c = axis.start[i]; c < axis.start[i + 1]; c += 2) {
      const bool single = c + 1 >= axis.start[i + 1];
      p.first.push_back(axis.index[c]);
      p.second.push_back(single ? axis.index[c] : axis.index[c + 1]);
      p.weights.push_back(Pair(axis.weight[c], single ? 0 : axis.weight[c + 1]));
    }
  }
  p.start.push_back(static_cast<int>(p.first.size()));
  return p;
}

// Σ over a pair of 16-bit pixels interleaved as (b0, b1, g0, g1, r0, r1, a0, a1).
inline __m128i WeighPair(__m128i interleaved, const PairWeights& w) {
  const __m128i hi = _mm_madd_epi16(interleaved, _mm_set1_epi32(w.hi));
  const __m128i lo = _mm_madd_epi16(interleaved, _mm_set1_epi32(w.lo));
  return _mm_add_epi32(_mm_slli_epi32(hi, 8), lo);
}

// Four 32-bit channel sums to one pixel: >> 16, then saturated to 0..255.
inline __m128i Narrow(__m128i sums) { return _mm_srai_epi32(sums, 16); }
inline std::uint32_t PackOne(__m128i sums) {
  const __m128i n = _mm_packs_epi32(Narrow(sums), _mm_setzero_si128());
  return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(n, n)));
}

void Horizontal(const PixelView& src, std::uint32_t* out, int outWidth, const PairedAxis& axis) {
  const __m128i zero = _mm_setzero_si128();
  for (int y = 0; y < src.height; ++y) {
    const std::uint32_t* line = &src.At(0, y);
    std::uint32_t* o = out + static_cast<std::size_t>(y) * outWidth;
    for (int x = 0; x < outWidth; ++x) {
      __m128i acc = zero;
      for (int c = axis.start[x]; c < axis.start[x + 1]; ++c) {
        const __m128i two = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(line[axis.first[c]])),
                                               _mm_cvtsi32_si128(static_cast<int>(line[axis.second[c]])));
        const __m128i wide = _mm_unpacklo_epi8(two, zero);
        acc = _mm_add_epi32(acc, WeighPair(_mm_unpacklo_epi16(wide, _mm_srli_si128(wide, 8)), axis.weights[c]));
      }
      o[x] = PackOne(acc);
    }
  }
}

void Vertical(const std::uint32_t* in, int width, PixelView dst, const PairedAxis& axis) {
  const __m128i zero = _mm_setzero_si128();
  for (int y = 0; y < dst.height; ++y) {
    std::uint32_t* o = &dst.At(0, y);
    int x = 0;
    for (; x + 4 <= width; x += 4) {
      __m128i acc0 = zero, acc1 = zero, acc2 = zero, acc3 = zero;
      for (int c = axis.start[y]; c < axis.start[y + 1]; ++c) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + static_cast<std::size_t>(axis.first[c]) * width + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + static_cast<std::size_t>(axis.second[c]) * width + x));
        const __m128i aLo = _mm_unpacklo_epi8(a, zero), bLo = _mm_unpacklo_epi8(b, zero);
        const __m128i aHi = _mm_unpackhi_epi8(a, zero), bHi = _mm_unpackhi_epi8(b, zero);
        const PairWeights& w = axis.weights[c];
        acc0 = _mm_add_epi32(acc0, WeighPair(_mm_unpacklo_epi16(aLo, bLo), w));
        acc1 = _mm_add_epi32(acc1, WeighPair(_mm_unpackhi_epi16(aLo, bLo), w));
        acc2 = _mm_add_epi32(acc2, WeighPair(_mm_unpacklo_epi16(aHi, bHi), w));
        acc3 = _mm_add_epi32(acc3, WeighPair(_mm_unpackhi_epi16(aHi, bHi), w));
      }
      const __m128i n01 = _mm_packs_epi32(Narrow(acc0), Narrow(acc1));
      const __m128i n23 = _mm_packs_epi32(Narrow(acc2), Narrow(acc3));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o + x), _mm_packus_epi16(n01, n23));
    }
    for (; x < width; ++x) {
      __m128i acc = zero;
      for (int c = axis.start[y]; c < axis.start[y + 1]; ++c) {
        const __m128i two = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(in[static_cast<std::size_t>(axis.first[c]) * width + x])),
                                               _mm_cvtsi32_si128(static_cast<int>(in[static_cast<std::size_t>(axis.second[c]) * width + x])));
        const __m128i wide = _mm_unpacklo_epi8(two, zero);
        acc = _mm_add_epi32(acc, WeighPair(_mm_unpacklo_epi16(wide, _mm_srli_si128(wide, 8)), axis.weights[c]));
      }
      o[x] = PackOne(acc);
    }
  }
}

}  // namespace

namespace resample_sse2 {

bool Available() { return CpuHasSse2(); }

KLARVIK_SSE2_ENTRY void Resample(const PixelView& src, PixelView dst, const ResampleAxis& columns, const ResampleAxis& rows) {
  std::vector<std::uint32_t> between(static_cast<std::size_t>(dst.width) * src.height);
  Horizontal(src, between.data(), dst.width, PairUp(columns));
  Vertical(between.data(), dst.width, dst, PairUp(rows));
}

}  // namespace resample_sse2

#else

namespace resample_sse2 {
bool Available() { return false; }
void Resample(const PixelView& src, PixelView dst, const ResampleAxis& columns, const ResampleAxis& rows) {
  resample_scalar::Resample(src, dst, columns, rows);
}
}  // namespace resample_sse2

#endif

}  // namespace klarvik
