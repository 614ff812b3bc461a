#pragma once
// Window classes of this program and the one way a window is tied to its object.
#include <windows.h>

namespace klarvik {

// Registers the class unless this program has already registered one of that name, so
// every window kind calls it before it creates a window. Raises EOSError when Windows
// refuses.
void RegisterWindowClass(const WNDCLASSEXW& windowClass);
// The same for a plain class of this program's module: no style, icon or cursor, as
// message-only windows have.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure);

// A window property named for the kind of object behind the window: set when the object
// takes the window (at WM_NCCREATE for a class of its own, right after creation for a
// subclassed one) and removed at WM_NCDESTROY at the latest, so a message that arrives
// later finds no object. The name keeps kinds apart: a window of one kind never yields an
// object of another.
template <typename T>
class WindowBinding {
 public:
  explicit constexpr WindowBinding(const wchar_t* property) : property_(property) {}

  void Bind(HWND window, T* object) const { SetPropW(window, property_, object); }
  void Unbind(HWND window) const { RemovePropW(window, property_); }
  T* Find(HWND window) const { return window ? static_cast<T*>(GetPropW(window, property_)) : nullptr; }

 private:
  const wchar_t* property_;
};

}  // namespace klarvik
