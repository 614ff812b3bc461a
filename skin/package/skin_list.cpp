#include "skin/package/skin_list.h"

#include <algorithm>
#include <string_view>

namespace klarvik {

namespace {

bool IsPackageFile(const SkinDirectoryEntry& entry) {
  return !entry.isFolder && std::wstring_view(entry.name).ends_with(L".tpk");
}

}  // namespace

SkinList ListSkins(const std::vector<std::wstring>& storedSkins, const std::vector<SkinDirectoryEntry>& directory,
                   SkinListKind kind, const std::function<bool(const std::wstring&, const std::wstring&)>& before) {
  SkinList list;
  list.names = storedSkins;
  const bool folders = kind != SkinListKind::kPackages;
  const bool packages = kind != SkinListKind::kFolders;
  for (const SkinDirectoryEntry& entry : directory) {
    if (entry.name.empty() || entry.name.front() == L'.') continue;
    if (folders && entry.isFolder && entry.holdsDefinition) {
      list.names.push_back(entry.name);
    } else if (packages && IsPackageFile(entry)) {
      list.names.push_back(entry.name.substr(0, entry.name.find(L'.')));
    }
  }
  if (!list.names.empty()) list.first = list.names.front();
  std::stable_sort(list.names.begin(), list.names.end(), before);
  return list;
}

std::wstring SkinNameOfListEntry(const std::wstring& entry, const std::wstring& storedMarker) {
  const std::size_t marker = storedMarker.empty() ? std::wstring::npos : entry.find(storedMarker);
  if (marker == std::wstring::npos) return entry;
  return entry.substr(0, marker + storedMarker.size());
}

}  // namespace klarvik
