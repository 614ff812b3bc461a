#include "win/directory_listing.h"

namespace klarvik {

HANDLE DirectoryLister::First(const std::wstring& pattern, WIN32_FIND_DATAW& entry) {
  if (!basicRefused_) {
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find != INVALID_HANDLE_VALUE || GetLastError() != ERROR_INVALID_PARAMETER) return find;
    basicRefused_ = true;
  }
  return FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &entry, FindExSearchNameMatch, nullptr, 0);
}

bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

std::uint64_t FileSizeOf(const WIN32_FIND_DATAW& entry) {
  return (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

}  // namespace klarvik
