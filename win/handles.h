#pragma once
// Owners and scope objects for Win32 handles. Owners are move-only and release their
// handle exactly once; borrowed handles stay plain HXXX values, so the type says who frees.
#include <windows.h>

#include <utility>

namespace klarvik {

template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Handle Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return Traits::IsValid(handle_); }

  // Gives up ownership without closing.
  Handle Release() noexcept { return std::exchange(handle_, Traits::Invalid()); }

  void Reset(Handle handle = Traits::Invalid()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (Traits::IsValid(old) && old != handle) Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Invalid();
};

namespace handle_traits {

template <class H, auto CloseFunction>
struct NullIsInvalid {
  using Handle = H;
  static Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle handle) noexcept { return handle != nullptr; }
  static void Close(Handle handle) noexcept { CloseFunction(handle); }
};

// Kernel functions report failure either as NULL or as INVALID_HANDLE_VALUE.
template <class H, auto CloseFunction>
struct NullOrMinusOneIsInvalid {
  using Handle = H;
  static Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle handle) noexcept { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { CloseFunction(handle); }
};

inline void DeleteGdiObject(HGDIOBJ object) noexcept { DeleteObject(object); }

}  // namespace handle_traits

using UniqueGdiObject = UniqueHandle<handle_traits::NullIsInvalid<HGDIOBJ, handle_traits::DeleteGdiObject>>;
using UniqueBitmap = UniqueHandle<handle_traits::NullIsInvalid<HBITMAP, handle_traits::DeleteGdiObject>>;
using UniqueFont = UniqueHandle<handle_traits::NullIsInvalid<HFONT, handle_traits::DeleteGdiObject>>;
using UniqueBrush = UniqueHandle<handle_traits::NullIsInvalid<HBRUSH, handle_traits::DeleteGdiObject>>;
using UniquePen = UniqueHandle<handle_traits::NullIsInvalid<HPEN, handle_traits::DeleteGdiObject>>;
using UniqueRegion = UniqueHandle<handle_traits::NullIsInvalid<HRGN, handle_traits::DeleteGdiObject>>;
using UniqueDc = UniqueHandle<handle_traits::NullIsInvalid<HDC, DeleteDC>>;
using UniqueKernelHandle = UniqueHandle<handle_traits::NullOrMinusOneIsInvalid<HANDLE, CloseHandle>>;
using UniqueFindHandle = UniqueHandle<handle_traits::NullOrMinusOneIsInvalid<HANDLE, FindClose>>;
using UniqueHkey = UniqueHandle<handle_traits::NullIsInvalid<HKEY, RegCloseKey>>;
using UniqueMenu = UniqueHandle<handle_traits::NullIsInvalid<HMENU, DestroyMenu>>;
using UniqueIcon = UniqueHandle<handle_traits::NullIsInvalid<HICON, DestroyIcon>>;
using UniqueModule = UniqueHandle<handle_traits::NullIsInvalid<HMODULE, FreeLibrary>>;
// A window that something else may destroy first: its owner Releases it at WM_NCDESTROY.
using UniqueWindow = UniqueHandle<handle_traits::NullIsInvalid<HWND, DestroyWindow>>;

// The device context of a window's client area, or of the whole window with its frame,
// for the life of the scope.
class WindowDc {
 public:
  explicit WindowDc(HWND window, bool wholeWindow = false) noexcept
      : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC Get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint/EndPaint around one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window) noexcept : window_(window) { dc_ = BeginPaint(window, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(window_, &paint_); }
  HDC Dc() const noexcept { return dc_; }
  const PAINTSTRUCT& Info() const noexcept { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the previous one back at the end of the scope.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;
  ~SelectScope() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// SaveDC/RestoreDC: clip region, origin and selected objects come back as they were.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  ~SavedDcState() {
    if (saved_) RestoreDC(dc_, saved_);
  }

 private:
  HDC dc_;
  int saved_;
};

}  // namespace klarvik
