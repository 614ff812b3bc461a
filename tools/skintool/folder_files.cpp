#include "tools/skintool/folder_files.h"

#include <system_error>

#include "base/ascii_text.h"
#include "skin/package/file_bytes.h"
#include "skin/package/member_names.h"
#include "skin/package/package_limits.h"

namespace klarvik {

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
  const std::filesystem::path asWritten(std::u8string(name.begin(), name.end()));
  const std::filesystem::path path =
      name.find(':') != std::string::npos ? asWritten : FindFileInFolder(folder_, name);
  if (path.empty()) return std::nullopt;
  return skin_package::ReadFileBytes(path, skin_package::kMaxMemberSize);
}

}  // namespace klarvik
