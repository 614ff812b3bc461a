#pragma once
// Where the skin manager looks for skins: its skin directory resolved against the
// program's folder, and skin names with their package ending taken off.
#include <string>
#include <string_view>

namespace klarvik {

// The directory as a path with a trailing backslash. `programFolder` ends in a separator.
//   "..\X"   the program folder's parent + "X"
//   ".\X"    the program folder + "X" (also "./X")
//   "."      the program folder
//   "X"      the program folder + "X", unless X holds ":" or "\\" (a drive or a share)
// A final "/" becomes "\"; the directory is not checked for existence.
std::wstring ResolveSkinDirectory(std::wstring_view directory, std::wstring_view programFolder);

// A name longer than four characters that ends in ".tpk", in any letter case, loses the
// ending: "Zen.TPK" names the same skin as "Zen".
std::wstring WithoutPackageExtension(std::wstring_view name);

}  // namespace klarvik
