#pragma once
// Paths as the file system itself names them, and comparisons between such paths.
#include <windows.h>

#include <string>

namespace klarvik::sweepkin {

// The \\?\ form the file system reports for an open handle, links resolved; empty on failure.
std::wstring FinalPathOf(HANDLE handle);

// The final path of an existing file or folder (links resolved); empty when it cannot be opened.
std::wstring FinalPathOf(const std::wstring& path);

// Equal ignoring case and a trailing backslash.
bool SamePath(const std::wstring& a, const std::wstring& b);

// True when `folder` is `path` itself or one of the folders that hold it.
bool IsSameOrAncestor(const std::wstring& folder, const std::wstring& path);

}  // namespace klarvik::sweepkin
