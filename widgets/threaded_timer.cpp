#include "widgets/threaded_timer.h"

#include "win/exceptions.h"

namespace klarvik {

namespace {

UniqueKernelHandle NewEvent(bool manualReset) {
  UniqueKernelHandle event(CreateEventW(nullptr, manualReset, FALSE, nullptr));
  if (!event) throw EOSError(L"CreateEvent", GetLastError());
  return event;
}

}  // namespace

TTimerThread::TTimerThread(TThreadedTimer* owner)
    : TThread(true), owner_(owner), stopEvent_(NewEvent(false)), releaseEvent_(NewEvent(true)) {}

TTimerThread::~TTimerThread() { Stop(); }

void TTimerThread::Release() {
  SetEvent(releaseEvent_.Get());
  Start();
}

void TTimerThread::Hold() {
  ResetEvent(releaseEvent_.Get());
  SetEvent(stopEvent_.Get());
}

void TTimerThread::Stop() {
  Terminate();
  SetEvent(stopEvent_.Get());
  SetEvent(releaseEvent_.Get());
  Start();
  WaitFor();
}

void TTimerThread::Execute() {
  while (!Terminated()) {
    WaitForSingleObject(releaseEvent_.Get(), INFINITE);
    if (Terminated()) break;
    // A signalled stop event means "start counting again", never "tick now".
    if (WaitForSingleObject(stopEvent_.Get(), interval_) == WAIT_TIMEOUT) {
      Synchronize([this] { owner_->DeliverTick(); });
    }
  }
}

TThreadedTimer::TThreadedTimer(TComponent* AOwner)
    : TComponent(AOwner), thread_(std::make_unique<TTimerThread>(this)) {}

TThreadedTimer::~TThreadedTimer() {
  enabled_ = false;
  thread_->Stop();
  thread_.reset();
}

void TThreadedTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  if (!value) {
    thread_->Hold();
  } else if (Interval() > 0 || allowZero_) {
    thread_->Release();
  }
}

void TThreadedTimer::SetInterval(uint32_t value) {
  if (value == Interval()) return;
  const bool wasEnabled = enabled_;
  SetEnabled(false);
  thread_->SetInterval(value);
  SetEnabled(wasEnabled);
}

void TThreadedTimer::DeliverTick() {
  if (!enabled_ || !OnTimer || IsDestroying()) return;
  // A copy, so that a handler which replaces OnTimer does not destroy itself mid-call.
  const TNotifyEvent handler = OnTimer;
  // A failing tick must neither stop the timer nor interrupt the user with a message box.
  try {
    handler(this);
  } catch (...) {
  }
}

}  // namespace klarvik
