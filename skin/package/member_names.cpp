#include "skin/package/member_names.h"

#include "base/ascii_text.h"
#include "skin/package/package_limits.h"

namespace klarvik {

namespace skin_package {

bool IsDefinitionName(std::string_view name) { return UpperCase(name) == kDefinitionName; }

bool HasBitmapExtension(std::string_view name) {
  const auto dot = name.rfind('.');
  return dot != std::string_view::npos && UpperCase(name.substr(dot)) == ".BMP";
}

}  // namespace skin_package

}  // namespace klarvik
