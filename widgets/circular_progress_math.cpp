#include "widgets/circular_progress_math.h"

#include <algorithm>

namespace klarvik {

namespace circular_progress {

int SegmentSweep(int width, int height) {
  const int side = std::min(width, height);
  if (side < 40) return 22;
  if (side < 60) return 23;
  if (side < 100) return 24;
  if (side < 200) return 25;
  return 26;
}

float SegmentStartAngle(int index) { return -90.0f + 30.0f * static_cast<float>(index - 1); }

Rect OuterBox(int width, int height, bool hasBorder) {
  const int inset = hasBorder ? 1 : 0;
  return Rect{0, 0, width - inset, height - inset};
}

Rect HoleBox(const Rect& outer) {
  const int w = outer.Width();
  const int h = outer.Height();
  // Each edge and size is cut towards zero from the exact value.
  const int left = static_cast<int>(7.0 * w / 30);
  const int top = static_cast<int>(7.0 * h / 30);
  const int width = static_cast<int>(w - 14.0 * w / 30);
  const int height = static_cast<int>(h - 14.0 * h / 30);
  return Rect{left, top, left + width, top + height};
}

int ProgressCount(int position, int min, int max) {
  if (position == max) return kSegmentCount;
  if (position <= min || max <= min) return -1;
  // Single precision, as the count has always been computed.
  const float perSegment = static_cast<float>(max - min) / static_cast<float>(kSegmentCount);
  return static_cast<int>(static_cast<float>(position - min) / perSegment);
}

SegmentRole RoleOfSegment(int index, int current, bool filling, int progressCount) {
  if (index == current) return SegmentRole::Transition;
  const bool passed = index < current;
  if (passed == filling) return SegmentRole::Active;
  return index <= progressCount ? SegmentRole::Progress : SegmentRole::Inactive;
}

AnimationState NextAnimationState(AnimationState state) {
  if (state.current < kSegmentCount) return {state.current + 1, state.filling};
  return {1, !state.filling};
}

Rect InvalidatedArea(const Rect& bounds, int newIndex) {
  const int midX = bounds.left + bounds.Width() / 2;
  const int midY = bounds.top + bounds.Height() / 2;
  // Segments that start on a centre line spill a little over it when smoothed.
  constexpr int kSpill = 4;
  switch (newIndex) {
    case 1:
      return {bounds.left, bounds.top, bounds.right, midY};
    case 2:
    case 3:
      return {midX, bounds.top, bounds.right, midY};
    case 4:
      return {midX, bounds.top, bounds.right, bounds.bottom};
    case 5:
    case 6:
      return {midX, midY, bounds.right, bounds.bottom};
    case 7:
      return {bounds.left, midY, bounds.right, bounds.bottom};
    case 8:
    case 9:
      return {bounds.left, midY, midX + kSpill, bounds.bottom};
    case 10:
      return {bounds.left, bounds.top, midX, bounds.bottom};
    case 11:
    case 12:
      return {bounds.left, bounds.top, midX, midY + kSpill};
    default:
      return bounds;
  }
}

}  // namespace circular_progress

}  // namespace klarvik
