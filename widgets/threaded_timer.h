#pragma once
// A timer whose interval is measured by a worker thread of its own, so it keeps time
// while the GUI thread is busy; each tick still runs on the GUI thread, and the worker
// waits for it, so ticks never overlap or pile up.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "runtime/component.h"
#include "runtime/thread.h"
#include "win/handles.h"

namespace klarvik {

class TThreadedTimer;

// The worker: waits out the interval, hands the tick over, and repeats. While its timer
// is disabled it is held on an event, never suspended from outside.
class TTimerThread : public TThread {
 public:
  explicit TTimerThread(TThreadedTimer* owner);
  ~TTimerThread() override;

  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t value) { interval_ = value; }

  // Lets ticks through again; counting starts afresh, since Hold ended the last wait.
  void Release();
  // Stops ticks: ends a wait in progress without one and holds the worker before the next.
  void Hold();
  // Terminates the worker and waits for it to end, serving its pending tick meanwhile.
  void Stop();

 protected:
  void Execute() override;

 private:
  TThreadedTimer* owner_;
  std::atomic<uint32_t> interval_{1000};
  UniqueKernelHandle stopEvent_;     // auto-reset: wakes the worker out of its interval
  UniqueKernelHandle releaseEvent_;  // manual-reset: signalled while ticks are wanted
};

class TThreadedTimer : public TComponent {
 public:
  explicit TThreadedTimer(TComponent* AOwner);
  // Stops and ends the worker before anything else goes, so no tick reaches a half-gone timer.
  ~TThreadedTimer() override;

  // When set, an interval of 0 ticks as fast as the GUI thread takes the ticks. Takes
  // effect at the next enabling.
  bool AllowZero() const { return allowZero_; }
  void SetAllowZero(bool value) { allowZero_ = value; }

  // The first tick comes one full interval after enabling.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

  // Milliseconds between ticks; a change restarts the count.
  uint32_t Interval() const { return thread_->Interval(); }
  void SetInterval(uint32_t value);

  TThreadPriority ThreadPriority() const { return thread_->Priority(); }
  void SetThreadPriority(TThreadPriority value) { thread_->SetPriority(value); }

  TNotifyEvent OnTimer;

  // Runs on the GUI thread for each tick: calls OnTimer while the timer is enabled and
  // not being destroyed, and drops whatever the handler throws.
  void DeliverTick();

 private:
  std::unique_ptr<TTimerThread> thread_;
  bool enabled_ = false;
  bool allowZero_ = false;
};

}  // namespace klarvik
