#pragma once
// A skin folder's files for the definition model. A name with a drive (":") is a path of
// its own; any other is looked up in the folder, without regard to letter case, as on the
// file systems skins are made for.
#include <filesystem>

#include "skin/definition/skin_files.h"

namespace klarvik {

class FolderSkinFiles : public TsSkinFiles {
 public:
  explicit FolderSkinFiles(std::filesystem::path folder) : folder_(std::move(folder)) {}
  std::optional<std::vector<std::uint8_t>> Read(const std::string& name) const override;

 private:
  std::filesystem::path folder_;
};

// The path of the regular file named `name` in `folder`, letter case ignored; empty when none.
std::filesystem::path FindFileInFolder(const std::filesystem::path& folder, const std::string& name);

}  // namespace klarvik
