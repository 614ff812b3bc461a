#include "win/window_class.h"

#include "win/exceptions.h"

namespace klarvik {

void RegisterWindowClass(const WNDCLASSEXW& windowClass) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &existing)) return;
  if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw EOSError(L"RegisterClassEx", GetLastError());
  }
}

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = name;
  RegisterWindowClass(windowClass);
}

}  // namespace klarvik
