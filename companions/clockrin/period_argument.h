#pragma once
// The period the scheduler is started for.
#include <optional>
#include <string_view>

namespace klarvik::clockrin {

// The hours of the first argument of a command line ("/auto1", "/auto2", "/auto3",
// "/auto4", "/auto5", "/auto6", "/auto8" or "/auto12", exactly); empty for anything else.
// `programPath` is this program's own path: a command line that starts with it unquoted
// (an unquoted Run value with a space in the folder) has its arguments after it.
std::optional<unsigned> PeriodHoursFromCommandLine(std::wstring_view commandLine, std::wstring_view programPath);

}  // namespace klarvik::clockrin
