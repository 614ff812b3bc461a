#pragma once
// What one cleaning run did, and its line in the log.
#include <windows.h>

#include <cstdint>
#include <string>

namespace klarvik::sweepkin {

struct SweepReport {
  std::uint64_t filesDeleted = 0;
  std::uint64_t bytesDeleted = 0;
  std::uint64_t skippedInUse = 0;
  std::uint64_t skippedDenied = 0;
  std::uint64_t skippedTooYoung = 0;
  std::uint64_t skippedLinks = 0;
  std::uint64_t foldersRemoved = 0;
};

// "2024-06-11 08:30:00 deleted 3 files (4096 bytes); skipped 1 in use, 0 denied,
// 2 too young, 0 links; removed 1 folders", time as given (local time in the log).
std::string FormatReport(const SYSTEMTIME& time, const SweepReport& report);

// The same time stamp followed by "refused: " and the reason.
std::string FormatRefusal(const SYSTEMTIME& time, const std::string& reason);

}  // namespace klarvik::sweepkin
