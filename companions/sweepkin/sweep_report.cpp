#include "companions/sweepkin/sweep_report.h"

#include <cstdio>

namespace klarvik::sweepkin {
namespace {

std::string Stamp(const SYSTEMTIME& time) {
  char text[32];
  std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay,
                time.wHour, time.wMinute, time.wSecond);
  return text;
}

}  // namespace

std::string FormatReport(const SYSTEMTIME& time, const SweepReport& report) {
  char text[256];
  std::snprintf(text, sizeof(text),
                " deleted %llu files (%llu bytes); skipped %llu in use, %llu denied, %llu too young, "
                "%llu links; removed %llu folders",
                static_cast<unsigned long long>(report.filesDeleted),
                static_cast<unsigned long long>(report.bytesDeleted),
                static_cast<unsigned long long>(report.skippedInUse),
                static_cast<unsigned long long>(report.skippedDenied),
                static_cast<unsigned long long>(report.skippedTooYoung),
                static_cast<unsigned long long>(report.skippedLinks),
                static_cast<unsigned long long>(report.foldersRemoved));
  return Stamp(time) + text;
}

std::string FormatRefusal(const SYSTEMTIME& time, const std::string& reason) {
  return Stamp(time) + " refused: " + reason;
}

}  // namespace klarvik::sweepkin
