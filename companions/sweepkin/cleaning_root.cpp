#include "companions/sweepkin/cleaning_root.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "companions/sweepkin/final_path.h"
#include "win/long_path.h"
#include "win/text.h"

namespace klarvik::sweepkin {
namespace {

CleaningRoot Refuse(const std::string& reason, const std::wstring& path) {
  return {{}, reason + " (" + ToUtf8(path) + ")"};
}

// A link is recognised by its own attributes, which only the name without a
// trailing backslash gives ("C:\link\" names the folder it points to).
std::wstring WithoutTrailingBackslash(std::wstring path) {
  if (path.size() > 1 && path.back() == L'\\' && path[path.size() - 2] != L':') path.pop_back();
  return path;
}

// "\\?\C:\" or "\\?\UNC\server\share": nothing below the volume itself.
bool IsVolumeRoot(const std::wstring& finalPath) {
  std::wstring rest = finalPath.substr(finalPath.starts_with(LR"(\\?\)") ? 4 : 0);
  while (!rest.empty() && rest.back() == L'\\') rest.pop_back();
  std::size_t allowedSeparators = 0;
  if (SameText(std::wstring_view(rest).substr(0, 4), L"UNC\\")) {
    rest = rest.substr(4);
    allowedSeparators = 1;  // server\share
  }
  return static_cast<std::size_t>(std::count(rest.begin(), rest.end(), L'\\')) <= allowedSeparators;
}

// A folder that programs keep only temporary files in, judged by its own name.
bool IsTempFolderName(const std::wstring& path) {
  const std::wstring_view name = std::wstring_view(path).substr(path.find_last_of(L'\\') + 1);
  for (const std::wstring_view temp : {std::wstring_view(L"Temp"), std::wstring_view(L"Tmp")}) {
    if (SameText(name, temp)) return true;
  }
  return false;
}

}  // namespace

CleaningRoot CheckCleaningRoot(const std::wstring& tempPath, const std::vector<ProtectedFolder>& protectedFolders) {
  if (tempPath.empty()) return {{}, "the temp path is empty"};
  const std::wstring named = ExtendedLengthPath(WithoutTrailingBackslash(tempPath));
  const DWORD attributes = named.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(named.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Refuse("the temp folder does not exist", tempPath);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Refuse("the temp path is not a folder", tempPath);
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return Refuse("the temp folder is a link", tempPath);

  const std::wstring root = FinalPathOf(tempPath);
  if (root.empty()) return Refuse("the temp folder cannot be opened", tempPath);
  if (IsVolumeRoot(root)) return Refuse("the temp folder is the root of a drive or share", root);
  for (const ProtectedFolder& folder : protectedFolders) {
    if (folder.path.empty()) continue;
    // A folder that cannot be opened is still compared, by its full name.
    std::wstring guarded = FinalPathOf(folder.path);
    if (guarded.empty()) guarded = ExtendedLengthPath(folder.path);
    if (IsSameOrAncestor(root, guarded)) return Refuse("the temp folder is or holds the " + folder.name, root);
    if (folder.guard == Guard::UserData && IsSameOrAncestor(guarded, root) && !IsTempFolderName(root)) {
      return Refuse("the temp folder lies inside the " + folder.name + " and is not named Temp or Tmp", root);
    }
  }
  return {root, {}};
}

}  // namespace klarvik::sweepkin
