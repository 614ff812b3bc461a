#pragma once
// The names of the skins a manager can load: its stored skins, then the skin folders and
// package files of its skin directory, listed together in the user's alphabetical order.
#include <functional>
#include <string>
#include <vector>

namespace klarvik {

// What the skin directory holds, one entry of a "*.*" listing.
struct SkinDirectoryEntry {
  std::wstring name;
  bool isFolder = false;
  bool holdsDefinition = false;  // a folder with "Options.dat"
};

enum class SkinListKind { kFolders = 0, kPackages = 1, kBoth = 2 };

struct SkinList {
  std::vector<std::wstring> names;  // sorted
  std::wstring first;               // the first found: the first stored skin when there is one
};

// Folders are listed by name, packages ("*.tpk", the extension in lower case exactly) by
// their name up to the first "."; entries whose name begins with "." are passed over.
// `before` is the sort order (the user's locale, letter case ignored).
SkinList ListSkins(const std::vector<std::wstring>& storedSkins, const std::vector<SkinDirectoryEntry>& directory,
                   SkinListKind kind, const std::function<bool(const std::wstring&, const std::wstring&)>& before);

// A list entry as a skin name: a stored skin's entry may carry text after its marker
// ("(internal)", the program's resource string), which is dropped, marker kept; other
// entries are names as they stand.
std::wstring SkinNameOfListEntry(const std::wstring& entry, const std::wstring& storedMarker);

}  // namespace klarvik
