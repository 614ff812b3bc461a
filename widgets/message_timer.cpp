#include "widgets/message_timer.h"

#include "win/exception_boundary.h"
#include "win/exceptions.h"
#include "win/window_class.h"

namespace klarvik {

namespace {

constexpr wchar_t kClassName[] = L"KlarvikMessageTimer";
constexpr UINT_PTR kTimerId = 1;
constexpr WindowBinding<TMessageTimer> kTimerBinding(L"Klarvik.MessageTimer");

}  // namespace

TMessageTimer::TMessageTimer() {
  RegisterWindowClass(kClassName, &WindowProc);
  window_.Reset(CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr));
  if (!window_) throw EOSError(L"CreateWindowEx", GetLastError());
  kTimerBinding.Bind(window_.Get(), this);
}

// Destroying the window ends its timer; a WM_TIMER already queued finds no object.
TMessageTimer::~TMessageTimer() { kTimerBinding.Unbind(window_.Get()); }

void TMessageTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Restart();
}

void TMessageTimer::SetInterval(UINT value) {
  if (value == interval_) return;
  interval_ = value;
  Restart();
}

void TMessageTimer::Restart() {
  if (running_) KillTimer(window_.Get(), kTimerId);
  running_ = enabled_ && interval_ > 0 && SetTimer(window_.Get(), kTimerId, interval_, nullptr) != 0;
}

void TMessageTimer::Tick() {
  if (!enabled_ || !OnTimer) return;
  // A copy, so a handler that replaces OnTimer does not destroy itself mid-call.
  const TNotifyEvent handler = OnTimer;
  handler(this);
}

LRESULT CALLBACK TMessageTimer::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kTimerId) {
    if (TMessageTimer* timer = kTimerBinding.Find(window)) {
      WindowExceptions<TObject>::CallGuarded(timer, 0, [timer] {
        timer->Tick();
        return LRESULT{0};
      });
    }
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace klarvik
