#pragma once
// The arithmetic of the circular progress indicator: segment sweep, hole, progress count,
// which colour each segment takes, the animation step and the area each step repaints.
#include "base/geometry.h"

namespace klarvik {

namespace circular_progress {

constexpr int kSegmentCount = 12;

// Degrees each segment sweeps, from the smaller side of the control (the rest of each
// 30° step is the gap).
int SegmentSweep(int width, int height);

// Where segment index (1 to 12) starts, in degrees clockwise from three o'clock.
float SegmentStartAngle(int index);

// The box around the ring: the whole control, one pixel smaller on the right and bottom
// when a border is drawn there.
Rect OuterBox(int width, int height, bool hasBorder);

// The box of the inner circle that no painting touches.
Rect HoleBox(const Rect& outer);

// How many segments lie within the progress; -1 when none does (an empty range too).
int ProgressCount(int position, int min, int max);

enum class SegmentRole { Transition, Active, Progress, Inactive };

// The colour role of segment index for the transition segment current on a filling
// (filling = true) or emptying lap, with progressCount from ProgressCount.
SegmentRole RoleOfSegment(int index, int current, bool filling, int progressCount);

struct AnimationState {
  int current = 1;
  bool filling = true;
  friend bool operator==(const AnimationState&, const AnimationState&) = default;
};

// One tick: the next segment, and a new lap after the twelfth. An index beyond 12 (left
// by a Position write) starts the next lap too.
AnimationState NextAnimationState(AnimationState state);

// The part of the control's rectangle (in its parent's coordinates) that holds the two
// segments changed by a step to newIndex.
Rect InvalidatedArea(const Rect& bounds, int newIndex);

}  // namespace circular_progress

}  // namespace klarvik
