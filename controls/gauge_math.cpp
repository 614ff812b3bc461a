#include "controls/gauge_math.h"

#include <cmath>

namespace klarvik {

int ProgressPercent(std::int32_t minValue, std::int32_t maxValue, std::int32_t progress) {
  if (maxValue == minValue) return 0;
  const std::int64_t done = static_cast<std::int64_t>(progress) - minValue;
  const std::int64_t range = static_cast<std::int64_t>(maxValue) - minValue;
  return static_cast<int>(done * 100 / range);
}

int FillLength(int percent, int size) {
  static_assert(sizeof(long double) > sizeof(double), "FillLength needs 80-bit extended precision");
  const long double share = static_cast<long double>(percent) * 0.01L;
  return static_cast<int>(std::trunc(static_cast<long double>(size) * share));
}

}  // namespace klarvik
