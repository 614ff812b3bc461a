#pragma once
// File times as plain counts of 100-nanosecond ticks since 1601 (the FILETIME scale),
// so the age rule can be judged against any "now", not only the clock's.
#include <windows.h>

#include <cstdint>

namespace klarvik::sweepkin {

using FileTicks = std::uint64_t;

constexpr FileTicks kTicksPerHour = 10'000'000ULL * 60 * 60;

constexpr FileTicks ToTicks(const FILETIME& time) {
  return (static_cast<FileTicks>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

constexpr FILETIME ToFileTime(FileTicks ticks) {
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

inline FileTicks CurrentTicks() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return ToTicks(now);
}

}  // namespace klarvik::sweepkin
