#include "win/system_info.h"

#include <windows.h>

namespace klarvik {

TsSystemInfo LiveSystemInfo() {
  TsSystemInfo info;
  info.SystemColor = [](int index) { return TColor{static_cast<std::int32_t>(GetSysColor(index))}; };
  info.SizingFrameWidth = GetSystemMetrics(SM_CXSIZEFRAME);
  return info;
}

}  // namespace klarvik
