#pragma once
// The first argument of a companion program's command line, which decides its mode.
#include <optional>
#include <string>
#include <string_view>

namespace klarvik::companions {

// The first argument after the program name; empty when there is none. `programPath`
// is the running program's own path: a command line that starts with it unquoted (an
// unquoted Run value whose folder holds a space) has its arguments after it, not after
// the first space.
std::optional<std::wstring> FirstArgument(std::wstring_view commandLine, std::wstring_view programPath);

}  // namespace klarvik::companions
