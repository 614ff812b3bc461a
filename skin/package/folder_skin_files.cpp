#include "skin/package/folder_skin_files.h"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "base/ascii_text.h"
#include "skin/package/file_bytes.h"
#include "skin/package/package_limits.h"
#include "skin/skin_error.h"

namespace klarvik {

namespace {

// Whether a definition may name that file: no drive, share, root or "..".
bool IsNameInsideFolder(std::string_view name) {
  if (name.find(':') != std::string_view::npos) return false;
  if (!name.empty() && (name.front() == '\\' || name.front() == '/')) return false;
  std::size_t start = 0;
  while (start <= name.size()) {
    const std::size_t end = std::min(name.find_first_of("\\/", start), name.size());
    if (name.substr(start, end - start) == "..") return false;
    start = end + 1;
  }
  return true;
}

}  // namespace

std::filesystem::path FindFileInFolder(const std::filesystem::path& folder, const std::string& name) {
  const std::string wanted = UpperCase(name);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    std::error_code statusError;
    if (!entry.is_regular_file(statusError)) continue;
    const std::u8string entryName = entry.path().filename().u8string();
    if (UpperCase(std::string(entryName.begin(), entryName.end())) == wanted) return entry.path();
  }
  return {};
}

std::optional<std::vector<std::uint8_t>> FolderSkinFiles::Read(const std::string& name) const {
  if (!IsNameInsideFolder(name)) {
    throw ESkinError(std::string("The skin names the file \"").append(name).append("\" outside its folder; a folder skin may only name files inside it"));
  }
  const std::filesystem::path path = FindFileInFolder(folder_, name);
  if (path.empty()) return std::nullopt;
  return skin_package::ReadFileBytes(path, skin_package::kMaxMemberSize);
}

}  // namespace klarvik
