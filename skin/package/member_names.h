#pragma once
// Letter-case rules for member names. Names are 8-bit text; only ASCII letters change case,
// which is all the definition and the extension tests need.
#include <string>
#include <string_view>

namespace klarvik {

namespace skin_package {

bool IsDefinitionName(std::string_view name);
// True when the upper-cased text after the last "." is "BMP".
bool HasBitmapExtension(std::string_view name);

}  // namespace skin_package

}  // namespace klarvik
