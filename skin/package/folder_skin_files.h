#pragma once
// A skin folder's files for the definition model, looked up in the folder without regard
// to letter case, as on the file systems skins are made for. A definition names files
// inside its folder only: a name that is a path of its own (a drive, a share, a rooted
// path, a step up with "..") is refused with ESkinError, so a skin cannot make the
// program read a file elsewhere on the machine or on the network.
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
