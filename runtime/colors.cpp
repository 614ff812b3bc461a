#include "runtime/colors.h"

COLORREF ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(ColorValue(color) & 0xFF);
  return static_cast<COLORREF>(color);
}
