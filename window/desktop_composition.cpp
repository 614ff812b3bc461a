#include "window/desktop_composition.h"

#include <versionhelpers.h>

namespace klarvik {

namespace {

using IsCompositionEnabledFunction = HRESULT(WINAPI*)(BOOL*);
using SetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

constexpr DWORD kTransitionsForceDisabled = 3;

struct CompositionFunctions {
  IsCompositionEnabledFunction isEnabled = nullptr;
  SetWindowAttributeFunction setAttribute = nullptr;
};

// Composition exists from Windows 6.0 on. The library stays loaded for the process.
const CompositionFunctions& Functions() {
  static const CompositionFunctions functions = [] {
    CompositionFunctions found;
    if (!IsWindowsVistaOrGreater()) return found;
    HMODULE library = LoadLibraryW(L"DWMAPI.DLL");
    if (!library) return found;
    found.isEnabled =
        reinterpret_cast<IsCompositionEnabledFunction>(reinterpret_cast<void*>(GetProcAddress(library, "DwmIsCompositionEnabled")));
    found.setAttribute =
        reinterpret_cast<SetWindowAttributeFunction>(reinterpret_cast<void*>(GetProcAddress(library, "DwmSetWindowAttribute")));
    return found;
  }();
  return functions;
}

}  // namespace

bool CompositionEnabled() {
  const CompositionFunctions& functions = Functions();
  BOOL enabled = FALSE;
  return functions.isEnabled && SUCCEEDED(functions.isEnabled(&enabled)) && enabled;
}

void SetTransitionsForceDisabled(HWND window, bool disabled) {
  const CompositionFunctions& functions = Functions();
  if (!functions.setAttribute || !CompositionEnabled()) return;
  const BOOL value = disabled ? TRUE : FALSE;
  functions.setAttribute(window, kTransitionsForceDisabled, &value, sizeof(value));
}

}  // namespace klarvik
