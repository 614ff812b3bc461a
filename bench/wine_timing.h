#pragma once
// The clock of the benchmarks that run as Windows programs under Wine.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace klarvik::bench {

// Seconds on the performance counter.
inline double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / frequency;
}

inline double MedianMilliseconds(std::vector<double> seconds) {
  std::sort(seconds.begin(), seconds.end());
  return seconds[seconds.size() / 2] * 1000.0;
}

}  // namespace klarvik::bench
