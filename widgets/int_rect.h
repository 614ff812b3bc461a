#pragma once
// A rectangle by its edges (right and bottom exclusive) for the widgets' pure geometry.
struct IntRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const IntRect&, const IntRect&) = default;
};
