#include "companions/clockrin/schedule.h"

namespace klarvik::clockrin {

Schedule::Schedule(Ticks period, Ticks now) : period_(period), nextDue_(now + period) {}

bool Schedule::Advance(Ticks now) {
  if (now >= nextDue_) {
    // Counting on from the due time, not from now, keeps a late wake-up from
    // shifting every later clean.
    nextDue_ += period_;
    if (nextDue_ <= now) nextDue_ = now + period_;
    return true;
  }
  if (nextDue_ - now > period_) nextDue_ = now + period_;
  return false;
}

}  // namespace klarvik::clockrin
