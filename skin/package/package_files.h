#pragma once
// Lets the definition model read a skin's images from a loaded package: a name as the
// definition writes it finds the image member whose upper-cased name equals it.
#include "skin/definition/skin_files.h"
#include "skin/package/skin_convertor.h"

namespace klarvik {

class TacPackageFiles : public TsSkinFiles {
 public:
  explicit TacPackageFiles(const TacSkinConvertor& package) : package_(package) {}
  std::optional<std::vector<std::uint8_t>> Read(const std::string& name) const override;
  // The member's bytes as the package holds them.
  std::optional<std::span<const std::uint8_t>> View(const std::string& name, std::vector<std::uint8_t>& storage) const override;

 private:
  const TacSkinConvertor& package_;
};

}  // namespace klarvik
