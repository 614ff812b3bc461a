#pragma once
// Filtered two-pass resize of a 32-bit picture (columns first into an intermediate
// picture of the new width, then rows), four channels including alpha, with 16.16
// fixed-point weights computed once per column and row.
#include <cstdint>
#include <vector>

#include "base/pixel_view.h"
#include "skin/image/skin_bitmap.h"
#include "skin/skin_error.h"

namespace klarvik {

enum class ResampleFilter {
  kBox = 0,
  kTriangle = 1,
  kHermite = 2,
  kBell = 3,
  kBSpline = 4,
  kLanczos3 = 5,
  kMitchell = 6,
};

// A source of width or height 1 or less cannot be resampled.
class EResampleError : public ESkinError {
 public:
  using ESkinError::ESkinError;
};

// The source pixels (index, weight × 65536) that make one destination pixel along an axis.
struct ResampleAxis {
  std::vector<int> start;  // contributors of destination i: [start[i], start[i + 1])
  std::vector<int> index;
  std::vector<std::int32_t> weight;
};
// Source indices outside 0..sourceSize − 1 are mirrored and then clamped, so even a wide
// filter over a tiny source stays inside it.
ResampleAxis MakeResampleAxis(int sourceSize, int destSize, ResampleFilter filter);

// dst becomes a width × height picture; a width or height of 0 or less leaves it as it
// was. Equal sizes copy the source. Throws EResampleError for a source of width or
// height 1 or less.
void ResampleBitmap(const PixelView& src, SkinBitmap& dst, int width, int height, ResampleFilter filter);

// Resamples src into dst (already of the destination size) with axes made beforehand,
// for callers that resize several pictures of one size alike.
void ResampleWithAxes(const PixelView& src, PixelView dst, const ResampleAxis& columns, const ResampleAxis& rows);

namespace resample_scalar {
void Resample(const PixelView& src, PixelView dst, const ResampleAxis& columns, const ResampleAxis& rows);
}
namespace resample_sse2 {
bool Available();
void Resample(const PixelView& src, PixelView dst, const ResampleAxis& columns, const ResampleAxis& rows);
}

}  // namespace klarvik
