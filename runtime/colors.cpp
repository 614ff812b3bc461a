#include "runtime/colors.h"

namespace klarvik {

COLORREF ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(ColorValue(color) & 0xFF);
  return static_cast<COLORREF>(color);
}

}  // namespace klarvik
