#include "win/live_gdi_objects.h"

#include <windows.h>

namespace klarvik {

int LiveGdiObjects() {
  const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported != 0) return static_cast<int>(reported);
  int live = 0;
  for (UINT_PTR index = 1; index < 0x10000; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++live;
  }
  return live;
}

}  // namespace klarvik
