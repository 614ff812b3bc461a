#include "controls/animation_timer.h"

#include "base/scope_exit.h"
#include "runtime/application.h"

namespace klarvik {

TacThreadedTimer::TacThreadedTimer(TComponent* AOwner) : TComponent(AOwner) {
  if (Application && Application->Terminated()) return;
  timer_ = std::make_unique<TMessageTimer>();
  timer_->OnTimer = [this](TObject*) { Deliver(); };
  Restart();
}

TacThreadedTimer::TacThreadedTimer(TControl* ownerControl, bool ownTick)
    : TComponent(ownerControl), enabled_(false), ownerControl_(ownerControl) {
  timer_ = std::make_unique<TMessageTimer>();
  timer_->OnTimer = [this](TObject*) { Deliver(); };
  if (ownTick) onTimer_ = [this](TObject*) { Tick(); };
  Restart();
}

TacThreadedTimer::~TacThreadedTimer() {
  enabled_ = false;
  timer_.reset();
}

void TacThreadedTimer::SetEnabled(bool value) {
  enabled_ = value;
  Restart();
}

void TacThreadedTimer::SetInterval(unsigned value) {
  interval_ = value;
  Restart();
}

void TacThreadedTimer::SetOnTimer(TNotifyEvent value) {
  onTimer_ = std::move(value);
  Restart();
}

void TacThreadedTimer::SetThreadPriority(TThreadPriority value) {
  priority_ = value;
  Restart();
}

void TacThreadedTimer::Restart() {
  if (!timer_) return;
  timer_->SetEnabled(false);
  timer_->SetInterval(interval_ > 0 ? interval_ : 1);
  timer_->SetEnabled(enabled_ && interval_ != 0 && onTimer_);
}

void TacThreadedTimer::Deliver() {
  if (ticking_ || !enabled_ || !onTimer_ || IsDestroying()) return;
  ticking_ = true;
  const ScopeExit done([this] { ticking_ = false; });
  const TNotifyEvent handler = onTimer_;
  handler(this);
}

}  // namespace klarvik
