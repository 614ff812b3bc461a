#include "win/layered_windows.h"

#include <windows.h>

namespace klarvik {

bool LayeredWindowsAvailable() {
  static const bool available = [] {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    return user && GetProcAddress(user, "UpdateLayeredWindow") != nullptr;
  }();
  return available;
}

}  // namespace klarvik
