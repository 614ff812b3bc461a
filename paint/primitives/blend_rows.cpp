// The blend rows the painters call: the fastest this processor runs, chosen once.
#include "base/cpu_features.h"
#include "paint/primitives/blend.h"

namespace klarvik {

namespace {

struct BlendRows {
  void (*keep)(std::uint32_t*, const std::uint32_t*, int, int);
  void (*over)(std::uint32_t*, const std::uint32_t*, int);
  void (*masked)(std::uint32_t*, const std::uint32_t*, const std::uint32_t*, int, const MaskedRowHoles&);
};

BlendRows Choose() {
  BlendRows rows{blend_scalar::KeepRow, blend_scalar::OverRow, blend_scalar::MaskedRow};
  if (blend_sse2::Available()) rows = {blend_sse2::KeepRow, blend_sse2::OverRow, blend_sse2::MaskedRow};
  if (blend_avx2::Available()) {
    rows.keep = blend_avx2::KeepRow;
    rows.over = blend_avx2::OverRow;
  }
  return rows;
}

const BlendRows& Rows() {
  static const BlendRows rows = Choose();
  return rows;
}

}  // namespace

void KeepRow(std::uint32_t* dst, const std::uint32_t* src, int count, int k) { Rows().keep(dst, src, count, k); }

void OverRow(std::uint32_t* dst, const std::uint32_t* src, int count) { Rows().over(dst, src, count); }

void MaskedRow(std::uint32_t* dst, const std::uint32_t* image, const std::uint32_t* mask, int count,
               const MaskedRowHoles& holes) {
  Rows().masked(dst, image, mask, count, holes);
}

}  // namespace klarvik
