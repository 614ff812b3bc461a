#pragma once
// Where the running program's executable is.
#include <string>

namespace klarvik {

// The full path of the running executable, however long; empty if it cannot be had.
std::wstring RunningExecutablePath();

}  // namespace klarvik
