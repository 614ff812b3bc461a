#include "skin/manager/skin_change_fade.h"

#include <algorithm>
#include <cmath>

#include "runtime/forms.h"
#include "skin/manager/skin_broadcast.h"
#include "skin/manager/skin_commands.h"
#include "win/handles.h"
#include "win/layered_windows.h"

namespace klarvik {

namespace {

constexpr DWORD kFrameMilliseconds = 12;

// A borderless layered helper form showing a form's old look at its place, above it.
class TacFadeCover : public TCustomForm {
 public:
  TacFadeCover(HWND form, const RECT& bounds, TBitmap& look) : TCustomForm(nullptr), owner_(form), look_(look) {
    SetTag(HelperFormTag);
    SetBorderStyle(TFormBorderStyle::bsNone);
    EndLoading();
    HWND cover = Handle();
    SetWindowPos(cover, HWND_TOP, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOACTIVATE);
    Show(255);
    ShowWindow(cover, SW_SHOWNOACTIVATE);
  }

  // The old look at that opacity.
  void Show(BYTE alpha) {
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    POINT at{bounds.left, bounds.top};
    SIZE size{look_.Width(), look_.Height()};
    POINT from{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, 0};
    UpdateLayeredWindow(Handle(), nullptr, &at, &size, look_.Canvas().Handle(), &from, 0, &blend, ULW_ALPHA);
  }

 protected:
  void CreateParams(TCreateParams& params) override {
    TCustomForm::CreateParams(params);
    params.ExStyle |= WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    if (GetWindowLongW(owner_, GWL_EXSTYLE) & WS_EX_TOPMOST) params.ExStyle |= WS_EX_TOPMOST;
    params.WndParent = owner_;
  }

 private:
  HWND owner_;
  TBitmap& look_;
};

// What the form shows now, children included, as the screen has it.
std::unique_ptr<TBitmap> PresentLook(const RECT& bounds) {
  auto look = std::make_unique<TBitmap>(bounds.right - bounds.left, bounds.bottom - bounds.top);
  if (look->Empty()) return nullptr;
  const WindowDc screen(nullptr);
  BitBlt(look->Canvas().Handle(), 0, 0, look->Width(), look->Height(), screen.Get(), bounds.left, bounds.top, SRCCOPY);
  return look;
}

// Handles the thread's messages until `until` (GetTickCount) or the deadline, whichever
// comes first.
void PumpUntil(DWORD until, DWORD deadline) {
  const DWORD end = static_cast<LONG>(until - deadline) < 0 ? until : deadline;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    const LONG left = static_cast<LONG>(end - GetTickCount());
    if (left <= 0) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
  }
}

}  // namespace

SkinChangeFade::SkinChangeFade(const TacSkinChanging& options, bool freeze) : options_(options) {
  if (!freeze) return;
  const bool withPictures = options.Time >= kFrameMilliseconds && LayeredWindowsAvailable();
  for (TCustomForm* form : SkinnedForms()) {
    if (form->IsDestroying() || !form->HandleAllocated() || form->Parent()) continue;
    HWND window = form->Handle();
    if (!IsWindowVisible(window) || IsIconic(window)) continue;
    FrozenForm frozen{window, {}, nullptr};
    GetWindowRect(window, &frozen.bounds);
    if (withPictures) frozen.oldLook = PresentLook(frozen.bounds);
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    frozen_.push_back(std::move(frozen));
  }
}

SkinChangeFade::~SkinChangeFade() { Finish(); }

void SkinChangeFade::Finish() {
  if (finished_) return;
  finished_ = true;
  // The old looks go over the forms first, so the new one never shows before its fade.
  std::vector<std::unique_ptr<TacFadeCover>> covers;
  for (FrozenForm& frozen : frozen_) {
    if (frozen.oldLook && IsWindow(frozen.window))
      covers.push_back(std::make_unique<TacFadeCover>(frozen.window, frozen.bounds, *frozen.oldLook));
  }
  for (FrozenForm& frozen : frozen_) {
    if (!IsWindow(frozen.window)) continue;
    SendMessageW(frozen.window, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(frozen.window, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  if (covers.empty()) return;
  const int frames = options_.Time / kFrameMilliseconds;
  const DWORD deadline = GetTickCount() + kLongestFade;
  for (int frame = 1; frame <= frames + 1; ++frame) {
    // The new look's opacity grows by 1/frames a frame; the old look gives way as much.
    const double shown = std::min(1.0, static_cast<double>(frame) / frames);
    const auto alpha = static_cast<BYTE>(std::lround(255 * (1 - shown)));
    for (auto& cover : covers) cover->Show(alpha);
    PumpUntil(GetTickCount() + kFrameMilliseconds, deadline);
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) break;
  }
}

}  // namespace klarvik
