#pragma once
// What a primitive knows of the background behind the area it paints.
#include <cstdint>

#include "base/color.h"
#include "base/pixel_view.h"

namespace klarvik {

struct TacParentCache {
  PixelView Image;           // the parent's cached picture; empty when there is none
  std::int32_t OffsetX = 0;  // the painted area's origin inside Image
  std::int32_t OffsetY = 0;
  TColor FillColor{0};  // used where no image can be copied
  std::int32_t BorderLeft = 0;  // the parent's own border strips inside Image
  std::int32_t BorderTop = 0;
  std::int32_t BorderRight = 0;
  std::int32_t BorderBottom = 0;
  bool Ready = false;  // Image holds the finished parent background

  bool HasImage() const { return Ready && !Image.Empty(); }
  // The parent pixel under destination point (x, y), or null outside the image.
  const std::uint32_t* PixelUnder(int x, int y) const {
    const int px = x + OffsetX, py = y + OffsetY;
    if (Image.Empty() || px < 0 || py < 0 || px >= Image.width || py >= Image.height) return nullptr;
    return &Image.At(px, py);
  }
};

}  // namespace klarvik
