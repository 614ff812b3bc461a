#pragma once
// TacThreadedTimer: the skin engine's general timer, which the form animations derive
// from. Despite its name it ticks on the GUI thread, through a window-message timer, so a
// tick may touch windows; a tick that comes while the previous handler still runs is dropped.
#include <memory>

#include "runtime/component.h"
#include "runtime/control.h"
#include "runtime/thread.h"
#include "widgets/message_timer.h"

namespace klarvik {

class TacThreadedTimer : public TComponent {
 public:
  // Enabled, 1000 ms, normal priority; no inner timer once the application terminates.
  explicit TacThreadedTimer(TComponent* AOwner);
  // For a control's animation: starts disabled; with ownTick every tick calls Tick.
  TacThreadedTimer(TControl* ownerControl, bool ownTick);
  ~TacThreadedTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned value);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent value);
  // Kept for the animations that ask for it; ticks run on the GUI thread whatever it says.
  TThreadPriority ThreadPriority() const { return priority_; }
  void SetThreadPriority(TThreadPriority value);
  TControl* OwnerControl() const { return ownerControl_; }

 protected:
  // What a derived timer does on each tick (used with ownTick).
  virtual void Tick() {}

 private:
  // Stops the inner timer and starts it again when enabled, with an interval and a handler.
  void Restart();
  void Deliver();

  std::unique_ptr<TMessageTimer> timer_;
  bool enabled_ = true;
  unsigned interval_ = 1000;
  TNotifyEvent onTimer_;
  TThreadPriority priority_ = TThreadPriority::tpNormal;
  bool ticking_ = false;
  TControl* ownerControl_ = nullptr;
};

}  // namespace klarvik
