#pragma once
// When the scheduler cleans. Times are absolute 100-nanosecond ticks of the wall clock,
// the unit an absolute waitable timer takes; "now" is handed in, so tests move the clock.
#include <cstdint>

namespace klarvik::clockrin {

using Ticks = std::int64_t;

inline constexpr Ticks kTicksPerHour = 36'000'000'000;

// N hours of the given hour length; in 64 bits, since 12 hours are past 2^32 ticks.
constexpr Ticks PeriodTicks(unsigned hours, Ticks ticksPerHour) {
  return static_cast<Ticks>(hours) * ticksPerHour;
}

class Schedule {
 public:
  // The first clean falls one period after `now`. The period must be positive.
  Schedule(Ticks period, Ticks now);

  Ticks NextDue() const { return nextDue_; }

  // Brings the schedule to `now` and answers whether to clean. Missed periods (a sleep,
  // a clock set forward) make one clean, not one per period; a clock set back by more
  // than the time left restarts the period from `now` instead of waiting out the jump.
  bool Advance(Ticks now);

 private:
  Ticks period_;
  Ticks nextDue_;
};

}  // namespace klarvik::clockrin
