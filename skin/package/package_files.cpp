#include "skin/package/package_files.h"

namespace klarvik {

std::optional<std::vector<std::uint8_t>> TacPackageFiles::Read(const std::string& name) const {
  const TacImageItem* item = package_.FindImage(name);
  if (item == nullptr) return std::nullopt;
  return item->Stream;
}

std::optional<std::span<const std::uint8_t>> TacPackageFiles::View(const std::string& name, std::vector<std::uint8_t>&) const {
  const TacImageItem* item = package_.FindImage(name);
  if (item == nullptr) return std::nullopt;
  return std::span<const std::uint8_t>(item->Stream);
}

}  // namespace klarvik
