#pragma once
// Desktop composition, when the system has it: looked up in dwmapi.dll at first use, so
// the program also runs where the library or its functions are missing (composition then
// counts as off).
#include <windows.h>

namespace klarvik {

bool CompositionEnabled();
// Asks composition not to animate the window's transitions; nothing without composition.
void SetTransitionsForceDisabled(HWND window, bool disabled);

}  // namespace klarvik
