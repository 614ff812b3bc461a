#pragma once
// Deciding whether a temp path is a folder the cleaner may empty.
#include <string>
#include <vector>

namespace klarvik::sweepkin {

// A folder that must survive any cleaning, with the name used in the log.
struct ProtectedFolder {
  std::string name;
  std::wstring path;
};

struct CleaningRoot {
  std::wstring path;    // final \\?\ path of the folder to empty; empty when refused
  std::string refusal;  // why the folder is refused; empty when accepted
};

// Accepts `tempPath` only when it names an existing folder that is not itself a link,
// not the root of a drive or share, and neither one of `protectedFolders` nor a folder
// that holds one. Paths are compared ignoring case, each in its final form.
CleaningRoot CheckCleaningRoot(const std::wstring& tempPath, const std::vector<ProtectedFolder>& protectedFolders);

}  // namespace klarvik::sweepkin
