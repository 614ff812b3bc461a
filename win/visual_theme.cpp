#include "win/visual_theme.h"

namespace klarvik {

namespace {

struct ThemeFunctions {
  using IsAppThemedFn = BOOL(WINAPI*)();
  using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
  using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);
  using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
  using DrawThemeParentBackgroundFn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);

  IsAppThemedFn isAppThemed = nullptr;
  OpenThemeDataFn openThemeData = nullptr;
  CloseThemeDataFn closeThemeData = nullptr;
  DrawThemeBackgroundFn drawThemeBackground = nullptr;
  DrawThemeParentBackgroundFn drawThemeParentBackground = nullptr;
};

template <typename Fn>
Fn Lookup(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Loaded once and kept for the program's life, as the system keeps it anyway.
const ThemeFunctions& Functions() {
  static const ThemeFunctions functions = [] {
    ThemeFunctions f;
    HMODULE library = LoadLibraryW(L"uxtheme.dll");
    if (!library) return f;
    f.isAppThemed = Lookup<ThemeFunctions::IsAppThemedFn>(library, "IsAppThemed");
    f.openThemeData = Lookup<ThemeFunctions::OpenThemeDataFn>(library, "OpenThemeData");
    f.closeThemeData = Lookup<ThemeFunctions::CloseThemeDataFn>(library, "CloseThemeData");
    f.drawThemeBackground = Lookup<ThemeFunctions::DrawThemeBackgroundFn>(library, "DrawThemeBackground");
    f.drawThemeParentBackground = Lookup<ThemeFunctions::DrawThemeParentBackgroundFn>(library, "DrawThemeParentBackground");
    return f;
  }();
  return functions;
}

}  // namespace

VisualTheme::VisualTheme(HWND window, const wchar_t* classList) {
  const ThemeFunctions& f = Functions();
  if (!f.isAppThemed || !f.openThemeData || !f.closeThemeData || !f.isAppThemed()) return;
  theme_ = f.openThemeData(window, classList);
}

VisualTheme::~VisualTheme() {
  if (theme_) Functions().closeThemeData(theme_);
}

bool VisualTheme::DrawBackground(HDC dc, int part, int state, const RECT& rect) const {
  if (!theme_ || !Functions().drawThemeBackground) return false;
  return SUCCEEDED(Functions().drawThemeBackground(theme_, dc, part, state, &rect, nullptr));
}

void VisualTheme::DrawParentBackground(HWND window, HDC dc, const RECT& rect) const {
  if (theme_ && Functions().drawThemeParentBackground) Functions().drawThemeParentBackground(window, dc, &rect);
}

}  // namespace klarvik
