#include "controls/gauge_math.h"

#include <cstdint>

#include <gtest/gtest.h>

namespace klarvik {

namespace {

TEST(ProgressPercent, TruncatesTheShareOfTheRange) {
  struct Case {
    std::int32_t min, max, progress;
    int percent;
  };
  const Case cases[] = {
      {0, 100, 47, 47}, {0, 3, 1, 33}, {0, 3, 2, 66}, {5, 5, 5, 0}, {0, 10, 10, 100},
      {-10, 10, 0, 50},
      // Values of the main window's gauges reach 2^31: the share must not wrap.
      {0, 2147483647, 1073741824, 50},
      {-2147483647 - 1, 2147483647, 0, 50},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProgressPercent(c.min, c.max, c.progress), c.percent) << c.progress << " of " << c.min << ".." << c.max;
  }
}

TEST(FillLength, LosesAPixelWhereTheExactProductIsWhole) {
  struct Case {
    int percent, size, length;
  };
  const Case cases[] = {{10, 10, 0}, {20, 10, 1}, {99, 100, 98}, {5, 20, 0}, {47, 393, 184},
                        {25, 100, 25}, {50, 393, 196}, {75, 100, 75}, {100, 393, 393}, {0, 393, 0}};
  for (const auto& c : cases) EXPECT_EQ(FillLength(c.percent, c.size), c.length) << c.percent << "% of " << c.size;
}

}  // namespace

}  // namespace klarvik
