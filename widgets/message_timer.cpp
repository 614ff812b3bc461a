#include "widgets/message_timer.h"

#include "runtime/application.h"
#include "runtime/exceptions.h"

namespace {

constexpr wchar_t kClassName[] = L"KlarvikMessageTimer";
constexpr UINT_PTR kTimerId = 1;

void RegisterTimerClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
  }();
  if (!registered) throw EOSError(L"RegisterClassEx", GetLastError());
}

}  // namespace

TMessageTimer::TMessageTimer() {
  RegisterTimerClass(&WindowProc);
  window_.Reset(CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr));
  if (!window_) throw EOSError(L"CreateWindowEx", GetLastError());
  SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

// Destroying the window ends its timer; a WM_TIMER already queued finds no object.
TMessageTimer::~TMessageTimer() { SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0); }

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
  try {
    handler(this);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

LRESULT CALLBACK TMessageTimer::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kTimerId) {
    if (auto* timer = reinterpret_cast<TMessageTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA))) timer->Tick();
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}
