#pragma once
// The numbers behind a gauge's picture: its percentage and the length of its filled part.
#include <cstdint>

namespace klarvik {

// 0 when the range is empty; else the share of the range truncated toward zero.
// Worked in 64 bits: a range wider than 2^31, or a progress above 2^31 / 100,
// must not wrap into a wrong (even negative) percentage.
int ProgressPercent(std::int32_t minValue, std::int32_t maxValue, std::int32_t progress);

// trunc(size * (percent * 0.01)) in 80-bit extended arithmetic, each product rounded to
// 64 significant bits. 0.01 is held a hair below 1/100, so some whole products fall a pixel
// short (10 % of 10 is 0, 20 % of 10 is 1) and others do not (25 % of 100 is 25).
int FillLength(int percent, int size);

}  // namespace klarvik
