#pragma once
// Whether Sweepkin.exe was asked to clean.
#include <string_view>

namespace klarvik::sweepkin {

// True when the first argument of `commandLine` is "/del" (any case). `programPath` is
// the running program's own path, so that an unquoted Run value whose folder holds a
// space still counts.
bool AsksToDelete(std::wstring_view commandLine, std::wstring_view programPath);

}  // namespace klarvik::sweepkin
