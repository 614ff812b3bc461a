#pragma once
// The default skin manager's thread hook: every window the GUI thread creates or activates
// while a skin is shown is handed to the automatic skinning of windows and dialogs, which
// attaches handlers to the standard windows it skins. The handlers live in the hooked-window
// list until their window goes (WM_NCDESTROY) or the skin is removed.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

namespace klarvik {

// What the skin engine attaches to a standard window: it sees the window's messages first
// and is freed when the window is destroyed or the list is emptied.
class TacWindowHandler {
 public:
  virtual ~TacWindowHandler() = default;
  HWND Window() const { return window_; }
  // True when the message was answered here; the window's own procedure runs otherwise.
  virtual bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  friend class HookedWindows;
  HWND window_ = nullptr;
};

// The windows skinned through the thread hook, each with its handler.
class HookedWindows {
 public:
  HookedWindows() = default;
  HookedWindows(const HookedWindows&) = delete;
  HookedWindows& operator=(const HookedWindows&) = delete;
  // Frees every handler and gives each window its own procedure back.
  ~HookedWindows();

  // Attaches the handler to the window; false (and the handler freed) for a window that is
  // gone or already has one.
  bool Attach(HWND window, std::unique_ptr<TacWindowHandler> handler);
  bool Has(HWND window) const;
  int Count() const { return static_cast<int>(handlers_.size()); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
  void Detach(HWND window);

  std::vector<std::unique_ptr<TacWindowHandler>> handlers_;
};

// Given each window as it is created (activated false) or activated (true); automatic
// skinning attaches its handlers there.
using WindowHandOff = std::function<void(HWND window, bool activated, HookedWindows& windows)>;

class ThreadHook {
 public:
  // Installs the hook for the calling thread; it hands windows to `onWindow`, which must
  // outlive the hook.
  explicit ThreadHook(const WindowHandOff& onWindow);
  // Removes it and frees every handler of the list.
  ~ThreadHook();
  ThreadHook(const ThreadHook&) = delete;
  ThreadHook& operator=(const ThreadHook&) = delete;

  bool Installed() const { return hook_ != nullptr; }
  HookedWindows& Windows() { return windows_; }

 private:
  static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);

  const WindowHandOff& onWindow_;
  HHOOK hook_ = nullptr;
  HookedWindows windows_;
};

}  // namespace klarvik
