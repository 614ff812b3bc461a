#pragma once
// One window timer for the lights of every gauge: lights that run at the same time wake
// the program once a tick, and while every light waits for its next run the clock sleeps
// until the first is due.
namespace klarvik {

class TsGauge;

namespace light_clock {

// The gauge's light ticks from now on, in step with the others: its first tick comes
// with theirs.
void Add(TsGauge& gauge);
void Remove(TsGauge& gauge);
bool Contains(const TsGauge& gauge);

}  // namespace light_clock
}  // namespace klarvik
