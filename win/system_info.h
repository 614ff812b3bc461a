#pragma once
// The system's live colours and sizing-frame width, as the skin engine asks for them.
#include "base/system_colors.h"

namespace klarvik {

TsSystemInfo LiveSystemInfo();

}  // namespace klarvik
