#include "skin/package/member_names.h"

#include "skin/package/package_limits.h"

namespace skin_package {

std::string UpperCased(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool IsDefinitionName(std::string_view name) { return UpperCased(name) == kDefinitionName; }

bool HasBitmapExtension(std::string_view name) {
  const auto dot = name.rfind('.');
  return dot != std::string_view::npos && UpperCased(name.substr(dot)) == ".BMP";
}

}  // namespace skin_package
