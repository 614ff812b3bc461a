#include "companions/clockrin/period_argument.h"

#include "companions/common/first_argument.h"

namespace klarvik::clockrin {
namespace {

struct Period {
  std::wstring_view argument;
  unsigned hours;
};

constexpr Period kPeriods[] = {{L"/auto1", 1}, {L"/auto2", 2}, {L"/auto3", 3}, {L"/auto4", 4},
                               {L"/auto5", 5}, {L"/auto6", 6}, {L"/auto8", 8}, {L"/auto12", 12}};

}  // namespace

std::optional<unsigned> PeriodHoursFromCommandLine(std::wstring_view commandLine, std::wstring_view programPath) {
  const std::optional<std::wstring> first = companions::FirstArgument(commandLine, programPath);
  if (!first) return std::nullopt;
  for (const Period& period : kPeriods) {
    if (*first == period.argument) return period.hours;
  }
  return std::nullopt;
}

}  // namespace klarvik::clockrin
