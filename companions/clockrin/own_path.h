#pragma once
// Where this program's executable is.
#include <string>

namespace klarvik::clockrin {

// The full path of this program's executable; empty if it cannot be had.
std::wstring OwnPath();

// The folder part of a path, with its trailing backslash.
std::wstring FolderOf(const std::wstring& path);

}  // namespace klarvik::clockrin
