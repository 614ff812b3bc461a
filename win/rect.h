#pragma once
// The program's rectangle at the Win32 boundary.
#include <windows.h>

#include "base/geometry.h"

namespace klarvik {

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) {
  return Rect{static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

}  // namespace klarvik
