#pragma once
// The one rectangle and point of the program. Right and bottom are exclusive, so width is
// right − left and an empty rectangle is one whose right or bottom does not pass its left
// or top. Windows calls get a RECT through win/rect.h, at the call and nowhere else.
#include <algorithm>

namespace klarvik {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  Rect Intersect(const Rect& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
  }
  bool Contains(const Rect& o) const {
    return o.left >= left && o.top >= top && o.right <= right && o.bottom <= bottom;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect BoundsOf(int width, int height) { return {0, 0, width, height}; }

}  // namespace klarvik
