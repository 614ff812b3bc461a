#include "widgets/circular_progress_math.h"

#include <gtest/gtest.h>

#include <ostream>

namespace klarvik {

void PrintTo(const Rect& rect, std::ostream* out) {
  *out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << "}";
}

namespace circular_progress {
namespace {

TEST(CircularProgressMath, SweepGrowsWithTheSmallerSide) {
  const struct {
    int width, height, sweep;
  } cases[] = {
      {1, 1, 22},     {39, 500, 22},  {40, 40, 23},  {49, 49, 23},  {59, 80, 23},    {60, 60, 24},
      {99, 99, 24},   {100, 100, 25}, {200, 100, 25}, {100, 200, 25}, {199, 300, 25}, {200, 200, 26},
      {1000, 900, 26},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SegmentSweep(c.width, c.height), c.sweep) << c.width << " x " << c.height;
  }
}

TEST(CircularProgressMath, SegmentsStartEveryThirtyDegreesFromTwelveOClock) {
  EXPECT_EQ(SegmentStartAngle(1), -90.0f);
  EXPECT_EQ(SegmentStartAngle(4), 0.0f);
  EXPECT_EQ(SegmentStartAngle(7), 90.0f);
  EXPECT_EQ(SegmentStartAngle(12), 240.0f);
}

TEST(CircularProgressMath, BorderTakesAPixelAndTheHoleIsCutTowardsZero) {
  const struct {
    int width, height;
    bool border;
    Rect outer, hole;
  } cases[] = {
      {49, 49, false, {0, 0, 49, 49}, {11, 11, 37, 37}},  // the status window's: 11.43 and 26.13
      {49, 49, true, {0, 0, 48, 48}, {11, 11, 36, 36}},   // 11.2 and 25.6
      {60, 60, false, {0, 0, 60, 60}, {14, 14, 46, 46}},
      {61, 61, true, {0, 0, 60, 60}, {14, 14, 46, 46}},
      {200, 100, false, {0, 0, 200, 100}, {46, 23, 152, 76}},  // 106.67 x 53.33
      {1, 1, true, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {0, 0, false, {0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << (c.border ? " with border" : ""));
    const Rect outer = OuterBox(c.width, c.height, c.border);
    EXPECT_EQ(outer, c.outer);
    EXPECT_EQ(HoleBox(outer), c.hole);
  }
}

TEST(CircularProgressMath, ProgressCount) {
  const struct {
    int position, min, max, count;
  } cases[] = {
      {0, 0, 100, -1},    // at Min: nothing within the progress
      {8, 0, 100, 0},     // 8 / (100 / 12) = 0.96
      {9, 0, 100, 1},     // 1.08
      {50, 0, 100, 6},    {75, 50, 100, 6},   {99, 0, 100, 11},
      {100, 0, 100, 12},  // at Max: every segment
      {50, 50, 100, -1},  {30, 0, 40, 9},     {1, 0, 12, 1},      {11, 0, 12, 11},
      {20, 20, 20, 12},   // an empty range at its only value is full
      {75, 20, 20, -1},   // beyond an empty range: none, where the division would have been by zero
      {75, 50, 20, -1},   // Max below Min
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProgressCount(c.position, c.min, c.max), c.count)
        << "Position " << c.position << ", Min " << c.min << ", Max " << c.max;
  }
}

// Every segment of a few states, written as a row of roles: T transition, A active,
// P progress, I inactive.
TEST(CircularProgressMath, RoleOfEachSegmentOnBothLaps) {
  const struct {
    int current;
    bool filling;
    int progressCount;
    const char* roles;  // segments 1 to 12
  } cases[] = {
      {1, true, -1, "TIIIIIIIIIII"},   {5, true, -1, "AAAATIIIIIII"},  {12, true, -1, "AAAAAAAAAAAT"},
      {1, false, -1, "TAAAAAAAAAAA"},  {5, false, -1, "IIIITAAAAAAA"}, {12, false, -1, "IIIIIIIIIIIT"},
      {3, true, 6, "AATPPPIIIIII"},    {3, false, 6, "PPTAAAAAAAAA"},  {9, false, 6, "PPPPPPIITAAA"},
      {5, false, 12, "PPPPTAAAAAAA"},  {5, true, 12, "AAAATPPPPPPP"},  {75, true, 6, "AAAAAAAAAAAA"},
      {75, false, 6, "PPPPPPIIIIII"},  {0, true, 0, "IIIIIIIIIIII"},  {0, false, 0, "AAAAAAAAAAAA"},
  };
  for (const auto& c : cases) {
    std::string roles;
    for (int index = 1; index <= kSegmentCount; ++index) {
      switch (RoleOfSegment(index, c.current, c.filling, c.progressCount)) {
        case SegmentRole::Transition: roles += 'T'; break;
        case SegmentRole::Active: roles += 'A'; break;
        case SegmentRole::Progress: roles += 'P'; break;
        case SegmentRole::Inactive: roles += 'I'; break;
      }
    }
    EXPECT_EQ(roles, c.roles) << "index " << c.current << (c.filling ? ", filling" : ", emptying") << ", count "
                              << c.progressCount;
  }
}

TEST(CircularProgressMath, AnimationRunsTwentyFourStatesThenRepeats) {
  AnimationState state;
  for (int step = 1; step <= 48; ++step) {
    state = NextAnimationState(state);
    const int place = step % 24;  // 0 is the start again
    EXPECT_EQ(state.current, place % 12 + 1) << "step " << step;
    EXPECT_EQ(state.filling, place < 12) << "step " << step;
  }
  // An index left beyond the ring by a Position write starts the next lap.
  EXPECT_EQ(NextAnimationState({75, true}), (AnimationState{1, false}));
  EXPECT_EQ(NextAnimationState({0, true}), (AnimationState{1, true}));
}

TEST(CircularProgressMath, InvalidatedAreaHoldsTheTwoChangedSegments) {
  const Rect bounds{10, 20, 59, 69};  // 49 x 49 at 10, 20: halves of 24
  const Rect expected[] = {
      {10, 20, 59, 44},  // 1: upper half
      {34, 20, 59, 44},  // 2, 3: upper-right quarter
      {34, 20, 59, 44},
      {34, 20, 59, 69},  // 4: right half
      {34, 44, 59, 69},  // 5, 6: lower-right quarter
      {34, 44, 59, 69},
      {10, 44, 59, 69},  // 7: lower half
      {10, 44, 38, 69},  // 8, 9: lower-left quarter and 4 pixels to the right
      {10, 44, 38, 69},
      {10, 20, 34, 69},  // 10: left half
      {10, 20, 34, 48},  // 11, 12: upper-left quarter and 4 pixels down
      {10, 20, 34, 48},
  };
  for (int index = 1; index <= kSegmentCount; ++index) {
    EXPECT_EQ(InvalidatedArea(bounds, index), expected[index - 1]) << "new index " << index;
  }
}

}  // namespace
}  // namespace circular_progress

}  // namespace klarvik
