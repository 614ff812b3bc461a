#pragma once
// Folder texts of the program: pure string work on paths.
#include <string>

namespace klarvik {

// The path with exactly one trailing backslash added when it has none.
std::wstring WithTrailingBackslash(std::wstring path);

// The folder of a file's full path, ending in one backslash ("C:\Tools\x.exe" ->
// "C:\Tools\", "C:\x.exe" -> "C:\").
std::wstring FolderOf(const std::wstring& filePath);

}  // namespace klarvik
