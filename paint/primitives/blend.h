#pragma once
// The three blend formulas of the skin painter, exact to the integer truncation, and
// the row loops built on them. Each row loop has a plain scalar reference and an SSE2
// version that must give the same bits (and AVX2 ones where written); the unqualified
// names call the fastest the processor runs, chosen once (blend_rows.cpp).
#include <cstdint>

namespace klarvik {

// Weighted keep: D := (k·(D − S) + 256·S) >> 8, k in 0..255 (255 keeps almost all of D,
// 0 gives S). The shift is arithmetic; the value is never negative for 8-bit inputs.
inline int KeepChannel(int d, int s, int k) { return (k * (d - s) + 256 * s) >> 8; }

// Alpha over: D := ((S − D)·A + 256·D) >> 8 with A the source alpha.
inline int OverChannel(int d, int s, int a) { return ((s - d) * a + 256 * d) >> 8; }

// The destination alpha under "alpha over": grows by A·(255 − Dα) ÷ 255 when A is not 0.
inline int OverAlpha(int da, int a) { return a == 0 ? da : da + a * (255 - da) / 255; }

// What a masked row writes where the image pixel is the key colour.
struct MaskedRowHoles {
  const std::uint32_t* parent = nullptr;  // the parent's pixels under the row, when known
  bool fill = false;                      // else: write fillPixel (when set) or keep the destination
  std::uint32_t fillPixel = 0;
  bool opaque = false;                    // every written pixel of the row gets alpha 255
  bool keyBlends = false;                 // key pixels are blended like any other (stretched pieces)
};

namespace blend_scalar {
// Weighted keep of src into dst with one k for the whole row; alpha untouched.
void KeepRow(std::uint32_t* dst, const std::uint32_t* src, int count, int k);
// Alpha over of src (its own alpha) onto dst.
void OverRow(std::uint32_t* dst, const std::uint32_t* src, int count);
// Weighted keep with k = the mask pixel's channel, per channel; key pixels of the image
// follow the holes rule; the destination alpha stays unless the row is opaque.
void MaskedRow(std::uint32_t* dst, const std::uint32_t* image, const std::uint32_t* mask, int count,
               const MaskedRowHoles& holes);
}  // namespace blend_scalar

namespace blend_sse2 {
bool Available();
void KeepRow(std::uint32_t* dst, const std::uint32_t* src, int count, int k);
void OverRow(std::uint32_t* dst, const std::uint32_t* src, int count);
void MaskedRow(std::uint32_t* dst, const std::uint32_t* image, const std::uint32_t* mask, int count,
               const MaskedRowHoles& holes);
}  // namespace blend_sse2

// Eight pixels a step where the processor has AVX2; the row's tail goes to the SSE2 row.
namespace blend_avx2 {
bool Available();
void KeepRow(std::uint32_t* dst, const std::uint32_t* src, int count, int k);
void OverRow(std::uint32_t* dst, const std::uint32_t* src, int count);
}  // namespace blend_avx2

void KeepRow(std::uint32_t* dst, const std::uint32_t* src, int count, int k);
void OverRow(std::uint32_t* dst, const std::uint32_t* src, int count);
void MaskedRow(std::uint32_t* dst, const std::uint32_t* image, const std::uint32_t* mask, int count,
               const MaskedRowHoles& holes);

}  // namespace klarvik
