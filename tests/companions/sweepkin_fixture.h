#pragma once
// Folder trees for the cleaner's tests: files and folders of chosen ages and
// attributes, and Unix links made from inside Wine.
#include <windows.h>

#include <string>
#include <vector>

namespace klarvik::test {

constexpr int kOld = 48;    // hours: past the cleaner's day
constexpr int kYoung = 1;

// One entry relative to a root: a file, or a folder when the path ends in a backslash.
// Missing parent folders are made too (young, unless listed themselves).
struct AgedEntry {
  std::wstring path;
  int ageHours = kOld;
  DWORD attributes = 0;
};

bool Exists(const std::wstring& path);
// Makes the entries, then sets every listed entry's creation and last-write times to
// its age (folders last, since making their contents renewed their times) and attributes.
bool MakeAgedTree(const std::wstring& root, const std::vector<AgedEntry>& entries);

}  // namespace klarvik::test
