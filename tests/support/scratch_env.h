#pragma once
// Where the Windows tests keep everything they write: a scratch folder for TMP/TEMP
// and the application-data folder, and a scratch registry key standing in for HKCU.
#include <string>

namespace klarvik::test {

// The scratch root of this test process, with a trailing backslash.
const std::wstring& ScratchRoot();
// Makes (or empties) a sub-folder of the scratch root and returns it with a trailing backslash.
std::wstring FreshScratchFolder(const std::wstring& name);
// Removes a folder tree; links inside are removed, never followed.
void RemoveTree(const std::wstring& path);

}  // namespace klarvik::test
