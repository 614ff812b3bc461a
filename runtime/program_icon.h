#pragma once
// The program's own icon (resource 1), or the system's application icon when it has none.
#include <windows.h>

namespace klarvik {

HICON ProgramIcon();

}  // namespace klarvik
