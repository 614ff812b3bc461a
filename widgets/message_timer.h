#pragma once
// A window-message timer of the GUI thread: ticks arrive as WM_TIMER on a message-only
// window of its own, so they run inside the message loop like any other message.
#include <windows.h>

#include "runtime/component.h"
#include "win/handles.h"

namespace klarvik {

class TMessageTimer : public TObject {
 public:
  TMessageTimer();
  ~TMessageTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // Milliseconds between ticks; a change restarts the count.
  UINT Interval() const { return interval_; }
  void SetInterval(UINT value);

  // Runs for each tick; an exception goes to the application's handler.
  TNotifyEvent OnTimer;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void Restart();
  void Tick();

  UniqueWindow window_;
  UINT interval_ = 1000;
  bool enabled_ = false;
  bool running_ = false;
};

}  // namespace klarvik
