#pragma once
// Listing a folder's entries cheaply, for walks that take everything from the find data.
#include <windows.h>

#include <cstdint>
#include <string>

namespace klarvik {

// Starts listings, preferring the cheap form (no short names, bigger batches); a
// system that refuses it gets the standard form for the rest of the walk.
class DirectoryLister {
 public:
  // FindFirstFileExW of `pattern`; INVALID_HANDLE_VALUE when the folder cannot be listed.
  HANDLE First(const std::wstring& pattern, WIN32_FIND_DATAW& entry);

 private:
  bool basicRefused_ = false;
};

// "." or "..".
bool IsDotEntry(const wchar_t* name);

// The entry's full 64-bit size.
std::uint64_t FileSizeOf(const WIN32_FIND_DATAW& entry);

}  // namespace klarvik
