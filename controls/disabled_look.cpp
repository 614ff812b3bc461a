#include "controls/disabled_look.h"

#include "paint/primitives/bitmap_ops.h"

namespace klarvik {

void ApplyDisabledLook(TBitmap& picture, TsDisabledKind kind, const TacParentCache& parent) {
  if (picture.Empty()) return;
  PixelView pixels = picture.Pixels();
  if (kind & dkGrayed) GrayscaleBitmap(pixels);
  if (!(kind & dkBlended)) return;
  if (parent.HasImage()) {
    // D := S − (S − D)·0.4 with S the parent: 40 % control over 60 % parent.
    BlendKeyedImage(pixels, 0, 0, clNone, 0.4,
                    Rect{parent.OffsetX, parent.OffsetY, parent.OffsetX + pixels.width, parent.OffsetY + pixels.height},
                    parent.Image);
  } else {
    FadeRectToColor(pixels, Rect{0, 0, pixels.width, pixels.height}, 50, parent.FillColor);
  }
}

}  // namespace klarvik
