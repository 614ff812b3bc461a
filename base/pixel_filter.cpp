#include "base/pixel_filter.h"

#include "base/pixel.h"

namespace klarvik {

void ApplyPixelFilter(PixelView bitmap, PixelFilter filter, int value, TColor key) {
  if (bitmap.Empty() || !filter) return;
  for (int y = 0; y < bitmap.height; ++y) {
    std::uint32_t* row = &bitmap.At(0, y);
    for (int x = 0; x < bitmap.width; ++x) {
      if (!MatchesKey(row[x], key)) row[x] = filter(row[x], value);
    }
  }
}

}  // namespace klarvik
