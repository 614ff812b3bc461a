// SSE2 blur of a glow mask. Every sum is the scalar reference's: the same double products,
// added from 0 in the kernel's order, so the same bits; only eight sums are carried at once,
// two to a register. The speed comes from that and from reading lines of doubles padded
// with their edge values, where the reference clamps and converts at every tap.
#include "base/cpu_features.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "paint/primitives/text_glow.h"

#if KLARVIK_HAVE_SSE2_PATH
#include <emmintrin.h>
#endif

namespace klarvik {

#if KLARVIK_HAVE_SSE2_PATH
namespace {

// The reference's rounding of a sum, kept as a double: lround, then at most 255 (sums are
// never negative).
double Rounded(double sum) { return static_cast<double>(std::min(std::lround(sum), 255L)); }

// The same for two sums. For x >= 0, lround(x) = trunc(x) + (x − trunc(x) >= 0.5), and both
// the truncation and the subtraction are exact for sums this small.
inline __m128d Rounded2(__m128d sum) {
  const __m128d whole = _mm_cvtepi32_pd(_mm_cvttpd_epi32(sum));
  const __m128d up = _mm_and_pd(_mm_cmpge_pd(_mm_sub_pd(sum, whole), _mm_set1_pd(0.5)), _mm_set1_pd(1.0));
  return _mm_min_pd(_mm_add_pd(whole, up), _mm_set1_pd(255.0));
}

// out[i] = the rounded sum over k of kernel[k] · taps[k][i], for i in 0..count − 1.
void WeighedSums(const std::vector<double>& kernel, const double* const* taps, int count, double* out) {
  const auto n = kernel.size();
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    __m128d a0 = _mm_setzero_pd(), a1 = a0, a2 = a0, a3 = a0;
    for (std::size_t k = 0; k < n; ++k) {
      const __m128d w = _mm_set1_pd(kernel[k]);
      const double* p = taps[k] + i;
      a0 = _mm_add_pd(a0, _mm_mul_pd(w, _mm_loadu_pd(p)));
      a1 = _mm_add_pd(a1, _mm_mul_pd(w, _mm_loadu_pd(p + 2)));
      a2 = _mm_add_pd(a2, _mm_mul_pd(w, _mm_loadu_pd(p + 4)));
      a3 = _mm_add_pd(a3, _mm_mul_pd(w, _mm_loadu_pd(p + 6)));
    }
    _mm_storeu_pd(out + i, Rounded2(a0));
    _mm_storeu_pd(out + i + 2, Rounded2(a1));
    _mm_storeu_pd(out + i + 4, Rounded2(a2));
    _mm_storeu_pd(out + i + 6, Rounded2(a3));
  }
  for (; i < count; ++i) {
    double sum = 0;
    for (std::size_t k = 0; k < n; ++k) sum += kernel[k] * taps[k][i];
    out[i] = Rounded(sum);
  }
}

}  // namespace

namespace glow_blur_sse2 {

bool Available() { return CpuHasSse2(); }

KLARVIK_SSE2_ENTRY void Blur(GlowMask& mask, const std::vector<double>& kernel) {
  const int width = mask.width, height = mask.height, half = static_cast<int>(kernel.size() / 2);
  if (width <= 0 || height <= 0) return;
  std::vector<const double*> taps(kernel.size());
  // Rows: each row padded by `half` edge values on both sides, tap k starting k along.
  std::vector<double> rows(static_cast<std::size_t>(width) * height);
  std::vector<double> line(static_cast<std::size_t>(width + 2 * half));
  for (std::size_t k = 0; k < taps.size(); ++k) taps[k] = line.data() + k;
  for (int y = 0; y < height; ++y) {
    for (int j = 0; j < width + 2 * half; ++j) line[static_cast<std::size_t>(j)] = mask.At(std::clamp(j - half, 0, width - 1), y);
    WeighedSums(kernel, taps.data(), width, rows.data() + static_cast<std::size_t>(y) * width);
  }
  // Columns, a whole row of them at a time: tap k reads the row k − half away, held to the
  // mask's rows.
  for (int y = 0; y < height; ++y) {
    for (int k = 0; k < static_cast<int>(taps.size()); ++k) {
      taps[static_cast<std::size_t>(k)] = rows.data() + static_cast<std::size_t>(std::clamp(y + k - half, 0, height - 1)) * width;
    }
    WeighedSums(kernel, taps.data(), width, line.data());
    for (int x = 0; x < width; ++x) mask.At(x, y) = static_cast<std::uint8_t>(line[static_cast<std::size_t>(x)]);
  }
}

}  // namespace glow_blur_sse2

#else

namespace glow_blur_sse2 {
bool Available() { return false; }
void Blur(GlowMask& mask, const std::vector<double>& kernel) { glow_blur_scalar::Blur(mask, kernel); }
}  // namespace glow_blur_sse2

#endif

}  // namespace klarvik
