#pragma once
// Deciding whether a temp path is a folder the cleaner may empty.
#include <string>
#include <vector>

namespace klarvik::sweepkin {

// How a protected folder guards itself against being emptied.
enum class Guard {
  IsOrHolds,  // the temp folder must neither be it nor hold it
  UserData,   // the same, and a folder inside it must be a temp folder by name
};

// A folder that must survive any cleaning, with the name used in the log.
struct ProtectedFolder {
  std::string name;
  std::wstring path;
  Guard guard = Guard::IsOrHolds;
};

struct CleaningRoot {
  std::wstring path;    // final \\?\ path of the folder to empty; empty when refused
  std::string refusal;  // why the folder is refused; empty when accepted
};

// Accepts `tempPath` only when it names an existing folder that is not itself a link,
// not the root of a drive or share, and neither one of `protectedFolders` nor a folder
// that holds one; inside a user-data folder only a folder named "Temp" or "Tmp" is
// accepted. Paths are compared ignoring case, each in its final form.
CleaningRoot CheckCleaningRoot(const std::wstring& tempPath, const std::vector<ProtectedFolder>& protectedFolders);

}  // namespace klarvik::sweepkin
