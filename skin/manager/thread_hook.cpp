#include "skin/manager/thread_hook.h"

#include <algorithm>
#include <commctrl.h>

namespace klarvik {

namespace {

constexpr UINT_PTR kSubclassId = 0x534B4857;  // the hooked windows' handlers

// The hook procedure has no data of its own: the thread's one hook is found here.
thread_local ThreadHook* threadHook = nullptr;

}  // namespace

bool TacWindowHandler::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

HookedWindows::~HookedWindows() {
  for (const auto& handler : handlers_)
    if (IsWindow(handler->window_)) RemoveWindowSubclass(handler->window_, Procedure, kSubclassId);
}

bool HookedWindows::Attach(HWND window, std::unique_ptr<TacWindowHandler> handler) {
  if (!IsWindow(window) || Has(window)) return false;
  handler->window_ = window;
  if (!SetWindowSubclass(window, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
  handlers_.push_back(std::move(handler));
  return true;
}

bool HookedWindows::Has(HWND window) const {
  return std::any_of(handlers_.begin(), handlers_.end(), [window](const auto& h) { return h->window_ == window; });
}

void HookedWindows::Detach(HWND window) {
  RemoveWindowSubclass(window, Procedure, kSubclassId);
  std::erase_if(handlers_, [window](const auto& h) { return h->window_ == window; });
}

LRESULT CALLBACK HookedWindows::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
  auto* windows = reinterpret_cast<HookedWindows*>(data);
  if (msg == WM_NCDESTROY) {
    // The handler goes with its window, never later.
    const LRESULT result = DefSubclassProc(window, msg, wParam, lParam);
    windows->Detach(window);
    return result;
  }
  const auto found = std::find_if(windows->handlers_.begin(), windows->handlers_.end(),
                                  [window](const auto& h) { return h->window_ == window; });
  if (found != windows->handlers_.end()) {
    LRESULT result = 0;
    try {
      if ((*found)->HandleMessage(msg, wParam, lParam, result)) return result;
    } catch (...) {
      // A handler that fails leaves the message to the window itself.
    }
  }
  return DefSubclassProc(window, msg, wParam, lParam);
}

ThreadHook::ThreadHook(const WindowHandOff& onWindow) : onWindow_(onWindow) {
  hook_ = SetWindowsHookExW(WH_CBT, Procedure, nullptr, GetCurrentThreadId());
  if (hook_) threadHook = this;
}

ThreadHook::~ThreadHook() {
  if (!hook_) return;
  UnhookWindowsHookEx(hook_);
  if (threadHook == this) threadHook = nullptr;
}

LRESULT CALLBACK ThreadHook::Procedure(int code, WPARAM wParam, LPARAM lParam) {
  ThreadHook* self = threadHook;
  if (self && self->onWindow_ && (code == HCBT_CREATEWND || code == HCBT_ACTIVATE)) {
    try {
      self->onWindow_(reinterpret_cast<HWND>(wParam), code == HCBT_ACTIVATE, self->windows_);
    } catch (...) {
      // No exception may leave a hook: the window goes on unskinned.
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace klarvik
