#include "companions/clockrin/period_argument.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

namespace klarvik::clockrin {
namespace {

struct LocalFreeDeleter {
  void operator()(wchar_t** block) const noexcept { LocalFree(block); }
};

struct Period {
  std::wstring_view argument;
  unsigned hours;
};

constexpr Period kPeriods[] = {{L"/auto1", 1}, {L"/auto2", 2}, {L"/auto3", 3}, {L"/auto4", 4},
                               {L"/auto5", 5}, {L"/auto6", 6}, {L"/auto8", 8}, {L"/auto12", 12}};

bool StartsWithUnquotedPath(std::wstring_view commandLine, std::wstring_view path) {
  if (path.empty() || commandLine.size() < path.size()) return false;
  if (commandLine.size() > path.size() && commandLine[path.size()] != L' ' && commandLine[path.size()] != L'\t') {
    return false;
  }
  return CompareStringOrdinal(commandLine.data(), static_cast<int>(path.size()), path.data(),
                              static_cast<int>(path.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::optional<unsigned> PeriodHoursFromCommandLine(std::wstring_view commandLine, std::wstring_view programPath) {
  // The splitter is left with a placeholder for the program, whose own path may hold
  // spaces; it also needs a non-empty text, else it answers the running program's path.
  std::wstring text = StartsWithUnquotedPath(commandLine, programPath)
                          ? L"program" + std::wstring(commandLine.substr(programPath.size()))
                          : std::wstring(commandLine);
  if (text.empty()) return std::nullopt;
  int count = 0;
  const std::unique_ptr<wchar_t*, LocalFreeDeleter> arguments(CommandLineToArgvW(text.c_str(), &count));
  if (!arguments || count < 2) return std::nullopt;
  const std::wstring_view first = arguments.get()[1];
  for (const Period& period : kPeriods) {
    if (first == period.argument) return period.hours;
  }
  return std::nullopt;
}

}  // namespace klarvik::clockrin
