#include "companions/sweepkin/background_priority.h"

#include <windows.h>

namespace klarvik::sweepkin {

void EnterBackgroundPriority() {
  if (!SetPriorityClass(GetCurrentProcess(), PROCESS_MODE_BACKGROUND_BEGIN)) {
    SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS);
  }
}

}  // namespace klarvik::sweepkin
