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
// A Unix symbolic link made by /bin/ln (Wine has no Win32 links of its own: it shows
// such a link to a folder as a reparse point); false outside Wine.
bool MakeUnixLink(const std::wstring& link, const std::wstring& target);
// Removes such a link itself. A link to a file must go this way: Wine lists it as a plain
// file, and deleting it through Win32 deletes the file it points to instead.
void RemoveUnixLink(const std::wstring& link);

}  // namespace klarvik::test
