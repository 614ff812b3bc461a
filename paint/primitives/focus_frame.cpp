#include "paint/primitives/focus_frame.h"

#include "base/pixel.h"

namespace klarvik {

void DrawDottedFocusRect(PixelView bitmap, const Rect& rect, TColor color1, TColor color2) {
  if (rect.Empty()) return;
  const int lastX = rect.right - 1, lastY = rect.bottom - 1;
  // The dots run one pixel past an even side; only what lies in the frame is drawn.
  auto dot = [&](int x, int y, TColor color) {
    if (color == kNoFocusColor || x < rect.left || x > lastX || y < rect.top || y > lastY) return;
    if (x < 0 || y < 0 || x >= bitmap.width || y >= bitmap.height) return;
    bitmap.At(x, y) = ColorToPixel(color, 255);
  };
  for (int i = 0; i < rect.Width() / 2; ++i) {
    const int x = rect.left + 2 * i + 2;
    for (int y : {rect.top, lastY}) {
      dot(x, y, color2);
      dot(x - 1, y, color1);
    }
  }
  for (int i = 0; i < rect.Height() / 2; ++i) {
    const int y = rect.top + 2 * i + 2;
    for (int x : {rect.left, lastX}) {
      dot(x, y, color2);
      dot(x, y - 1, color1);
    }
  }
}

}  // namespace klarvik
