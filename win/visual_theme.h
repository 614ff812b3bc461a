#pragma once
// The system's visual themes, looked up at run time: a system without them (or without
// the library) gets the classic look, and nothing of ours refuses to start.
#include <windows.h>

#include <uxtheme.h>

namespace klarvik {

// The theme data of a window class's parts, closed when the object goes; empty when the
// program is not themed or the class has no theme.
class VisualTheme {
 public:
  VisualTheme(HWND window, const wchar_t* classList);
  ~VisualTheme();
  VisualTheme(const VisualTheme&) = delete;
  VisualTheme& operator=(const VisualTheme&) = delete;

  explicit operator bool() const { return theme_ != nullptr; }
  // Draws the part in its state over rect; false when there is no theme.
  bool DrawBackground(HDC dc, int part, int state, const RECT& rect) const;
  // Asks the parent to paint what a partly transparent part leaves showing.
  void DrawParentBackground(HWND window, HDC dc, const RECT& rect) const;

 private:
  HTHEME theme_ = nullptr;
};

}  // namespace klarvik
