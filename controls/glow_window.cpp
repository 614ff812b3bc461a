#include "controls/glow_window.h"

#include <vector>

#include "paint/primitives/border_mask.h"
#include "runtime/bitmap.h"
#include "win/handles.h"
#include "win/window_class.h"

namespace klarvik {

namespace {

struct Glow {
  UniqueWindow window;
  Point offset;  // the window's top-left minus the control's
};

std::vector<Glow>& Glows() {
  static std::vector<Glow> glows;
  return glows;
}

LRESULT CALLBACK GlowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The mouse goes through to whatever lies under the light.
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProcW(window, msg, wParam, lParam);
}

constexpr wchar_t kGlowClass[] = L"KlarvikGlow";

}  // namespace

int ShowGlow(const TsSkinTables& tables, int mask, HWND owner, const Rect& control, const Rect& visible, int margin) {
  if (!tables.IsValidMaskIndex(mask)) return -1;
  const TsMaskData& entry = tables.Masks[static_cast<std::size_t>(mask)];
  const int left = MarginLeft(entry) - margin, top = MarginTop(entry) - margin;
  const int right = MarginRight(entry) - margin, bottom = MarginBottom(entry) - margin;
  const Rect whole{control.left - left, control.top - top, control.right + right, control.bottom + bottom};
  if (whole.Width() <= 0 || whole.Height() <= 0) return -1;
  // Only the light around the part of the control that can be seen.
  const Rect shown = whole.Intersect(Rect{visible.left - left, visible.top - top, visible.right + right, visible.bottom + bottom});
  if (shown.Width() <= 0 || shown.Height() <= 0) return -1;

  TBitmap picture(whole.Width(), whole.Height());
  DrawBorderMask(picture.Pixels(), Rect{0, 0, whole.Width(), whole.Height()}, TacParentCache{}, false, 0, entry, &tables);

  RegisterWindowClass(kGlowClass, GlowProc);
  UniqueWindow window(CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kGlowClass,
                                      L"", WS_POPUP, shown.left, shown.top, shown.Width(), shown.Height(), owner, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
  if (!window) return -1;
  const UniqueDc source(CreateCompatibleDC(nullptr));
  SelectScope select(source.Get(), picture.Handle());
  POINT at{shown.left, shown.top};
  SIZE size{shown.Width(), shown.Height()};
  POINT from{shown.left - whole.left, shown.top - whole.top};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  if (!UpdateLayeredWindow(window.Get(), nullptr, &at, &size, source.Get(), &from, 0, &blend, ULW_ALPHA)) return -1;
  ShowWindow(window.Get(), SW_SHOWNOACTIVATE);

  std::vector<Glow>& glows = Glows();
  Glow glow{std::move(window), Point{shown.left - control.left, shown.top - control.top}};
  for (std::size_t i = 0; i < glows.size(); ++i) {
    if (!glows[i].window) {
      glows[i] = std::move(glow);
      return static_cast<int>(i);
    }
  }
  glows.push_back(std::move(glow));
  return static_cast<int>(glows.size() - 1);
}

void MoveGlow(int glow, Point controlTopLeft) {
  HWND window = GlowWindow(glow);
  if (!window) return;
  const Point offset = Glows()[static_cast<std::size_t>(glow)].offset;
  SetWindowPos(window, nullptr, controlTopLeft.x + offset.x, controlTopLeft.y + offset.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HideGlow(int glow) {
  if (GlowWindow(glow)) Glows()[static_cast<std::size_t>(glow)].window.Reset();
}

void HideAllGlows() {
  for (Glow& glow : Glows()) glow.window.Reset();
}

int LiveGlowCount() {
  int count = 0;
  for (const Glow& glow : Glows()) count += glow.window ? 1 : 0;
  return count;
}

HWND GlowWindow(int glow) {
  const std::vector<Glow>& glows = Glows();
  if (glow < 0 || static_cast<std::size_t>(glow) >= glows.size()) return nullptr;
  return glows[static_cast<std::size_t>(glow)].window.Get();
}

}  // namespace klarvik
