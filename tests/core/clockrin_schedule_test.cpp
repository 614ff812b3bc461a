#include <gtest/gtest.h>

#include <vector>

#include "companions/clockrin/schedule.h"

namespace klarvik {

namespace {

using klarvik::clockrin::kTicksPerHour;
using klarvik::clockrin::PeriodTicks;
using klarvik::clockrin::Schedule;
using klarvik::clockrin::Ticks;

constexpr Ticks kMinute = kTicksPerHour / 60;
// A wall-clock time of 2022 in 100-ns ticks since 1601: real times are far past 2^32.
constexpr Ticks kStart = 133'000'000'000'000'000;

// kStart plus a number of minutes, so the tables read in clock time.
constexpr Ticks At(Ticks minutes) { return kStart + minutes * kMinute; }

TEST(ClockrinSchedule, CleansOncePerDueTimeWhateverTheClockDoes) {
  struct Step {
    Ticks now;
    bool cleans;
    Ticks nextDue;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  // Period one hour, started at minute 0: first due at minute 60.
  const Case cases[] = {
      {"regular periods", {{At(60), true, At(120)}, {At(120), true, At(180)}, {At(180), true, At(240)}}},
      {"woken early", {{At(59), false, At(60)}, {At(60), true, At(120)}}},
      {"woken late keeps the cadence", {{At(65), true, At(120)}, {At(120), true, At(180)}}},
      {"one missed period", {{At(130), true, At(190)}, {At(130), false, At(190)}, {At(190), true, At(250)}}},
      {"many missed periods clean once",
       {{At(60 * 50 + 7), true, At(60 * 51 + 7)}, {At(60 * 50 + 8), false, At(60 * 51 + 7)}}},
      {"woken exactly one period late cleans once",
       {{At(120), true, At(180)}, {At(120), false, At(180)}, {At(180), true, At(240)}}},
      {"clock set back a little keeps the due time",
       {{At(40), false, At(60)}, {At(20), false, At(60)}, {At(60), true, At(120)}}},
      {"clock set back past the start restarts the period", {{At(-30), false, At(30)}, {At(30), true, At(90)}}},
      {"clock set back far restarts the period",
       {{At(-600), false, At(-540)}, {At(-541), false, At(-540)}, {At(-540), true, At(-480)}}},
      {"clock set back just after a clean",
       {{At(60), true, At(120)}, {At(50), false, At(110)}, {At(110), true, At(170)}}},
  };
  for (const auto& c : cases) {
    Schedule schedule(kTicksPerHour, At(0));
    ASSERT_EQ(schedule.NextDue(), At(60)) << c.name;
    for (size_t i = 0; i < c.steps.size(); ++i) {
      const Step& step = c.steps[i];
      EXPECT_EQ(schedule.Advance(step.now), step.cleans) << c.name << ", step " << i;
      EXPECT_EQ(schedule.NextDue(), step.nextDue) << c.name << ", step " << i;
    }
  }
}

TEST(ClockrinSchedule, EveryOfferedPeriodInTicks) {
  struct Case {
    unsigned hours;
    Ticks ticks;
  };
  const Case cases[] = {{1, 36'000'000'000},  {2, 72'000'000'000},  {3, 108'000'000'000}, {4, 144'000'000'000},
                        {5, 180'000'000'000}, {6, 216'000'000'000}, {8, 288'000'000'000}, {12, 432'000'000'000}};
  for (const auto& c : cases) {
    EXPECT_EQ(PeriodTicks(c.hours, kTicksPerHour), c.ticks) << c.hours << " hours";
    Schedule schedule(PeriodTicks(c.hours, kTicksPerHour), kStart);
    EXPECT_EQ(schedule.NextDue(), kStart + c.ticks) << c.hours << " hours";
    EXPECT_FALSE(schedule.Advance(kStart + c.ticks - 1)) << c.hours << " hours";
    EXPECT_TRUE(schedule.Advance(kStart + c.ticks)) << c.hours << " hours";
    EXPECT_EQ(schedule.NextDue(), kStart + 2 * c.ticks) << c.hours << " hours";
  }
}

}  // namespace

}  // namespace klarvik
