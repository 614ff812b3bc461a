#include "controls/light_clock.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "controls/gauge.h"
#include "widgets/message_timer.h"

namespace klarvik::light_clock {

namespace {

constexpr unsigned kTick = TsGauge::kLightTick;

struct Entry {
  TsGauge* gauge;
  unsigned countdown;  // ticks until the gauge's next tick
};

struct Clock {
  std::unique_ptr<TMessageTimer> timer;
  std::vector<Entry> entries;
  unsigned interval = 1;  // ticks the running timer stands for
};

Clock& TheClock() {
  static Clock clock;
  return clock;
}

void Schedule(Clock& clock) {
  if (clock.entries.empty()) {
    if (clock.timer) clock.timer->SetEnabled(false);
    return;
  }
  unsigned next = clock.entries.front().countdown;
  for (const Entry& entry : clock.entries) next = std::min(next, entry.countdown);
  clock.interval = std::max(next, 1u);
  clock.timer->SetInterval(clock.interval * kTick);
  clock.timer->SetEnabled(true);
}

void Tick() {
  Clock& clock = TheClock();
  const unsigned passed = clock.interval;
  // A copy: a gauge may leave the clock while it ticks.
  const std::vector<Entry> entries = clock.entries;
  for (const Entry& entry : entries) {
    auto found = std::find_if(clock.entries.begin(), clock.entries.end(),
                              [&](const Entry& e) { return e.gauge == entry.gauge; });
    if (found == clock.entries.end()) continue;
    if (found->countdown > passed) {
      found->countdown -= passed;
      continue;
    }
    TsGauge* gauge = found->gauge;
    gauge->LightTick();
    found = std::find_if(clock.entries.begin(), clock.entries.end(), [&](const Entry& e) { return e.gauge == gauge; });
    if (found != clock.entries.end()) found->countdown = std::max(gauge->LightInterval() / kTick, 1u);
  }
  Schedule(clock);
}

}  // namespace

void Add(TsGauge& gauge) {
  Clock& clock = TheClock();
  if (Contains(gauge)) return;
  if (!clock.timer) {
    clock.timer = std::make_unique<TMessageTimer>();
    clock.timer->OnTimer = [](TObject*) { Tick(); };
  }
  // In step with the others: due when the first of them is.
  unsigned countdown = 1;
  if (!clock.entries.empty()) {
    countdown = clock.entries.front().countdown;
    for (const Entry& entry : clock.entries) countdown = std::min(countdown, entry.countdown);
  }
  clock.entries.push_back(Entry{&gauge, countdown});
  if (clock.entries.size() == 1) Schedule(clock);
}

void Remove(TsGauge& gauge) {
  Clock& clock = TheClock();
  std::erase_if(clock.entries, [&](const Entry& e) { return e.gauge == &gauge; });
  if (clock.entries.empty() && clock.timer) clock.timer->SetEnabled(false);
}

bool Contains(const TsGauge& gauge) {
  const Clock& clock = TheClock();
  return std::any_of(clock.entries.begin(), clock.entries.end(), [&](const Entry& e) { return e.gauge == &gauge; });
}

}  // namespace klarvik::light_clock
