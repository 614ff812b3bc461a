#include "tools/skintool/skin_pack.h"

#include <algorithm>
#include <fstream>
#include <memory>

#include "skin/package/file_bytes.h"
#include "skin/package/member_names.h"
#include "skin/package/package_limits.h"
#include "skin/package/package_writer.h"
#include "skin/package/skin_convertor.h"
#include "skin/skin_error.h"

namespace klarvik {

namespace {

// The folder's regular files (links and sub-folders are left out), in name order so the
// same folder always gives the same package.
std::vector<TacPackageMember> FolderMembers(const std::filesystem::path& folder, const std::filesystem::path& package) {
  std::vector<std::filesystem::path> paths;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_symlink() || !entry.is_regular_file()) continue;
    std::error_code error;
    if (std::filesystem::equivalent(entry.path(), package, error)) continue;
    paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());

  std::vector<TacPackageMember> members;
  for (const auto& path : paths) {
    const std::u8string name = path.filename().u8string();
    auto bytes = skin_package::ReadFileBytes(path, skin_package::kMaxMemberSize);
    if (!bytes) throw ESkinError("Cannot read a file of the folder");
    members.push_back({std::string(name.begin(), name.end()), std::move(*bytes)});
  }
  return members;
}

}  // namespace

int PackSkin(const std::filesystem::path& folder, const std::filesystem::path& package, std::ostream& out, std::ostream& err) {
  try {
    if (!std::filesystem::is_directory(folder)) throw ESkinError("Not a folder");
    const std::vector<TacPackageMember> members = FolderMembers(folder, package);
    const bool hasDefinition = std::any_of(members.begin(), members.end(), [](const TacPackageMember& member) {
      return skin_package::IsDefinitionName(member.Name);
    });
    if (!hasDefinition) throw ESkinError("The folder holds no Options.dat");
    const std::vector<std::uint8_t> bytes = WritePackage(members);

    std::unique_ptr<TacSkinConvertor> check;
    ReadStoredPackage(bytes, check);

    std::ofstream file(package, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw ESkinError("Cannot write the package file");
    out << "Packed " << members.size() << " files into " << bytes.size() << " bytes\n";
    return 0;
  } catch (const std::exception& failure) {
    err << "error: " << failure.what() << "\n";
    return 1;
  }
}

}  // namespace klarvik
