#pragma once
// What the skin manager makes of a definition's version: the text it shows as SkinInfo
// and whether the skin is newer or older than this engine supports.
#include <string>
#include <string_view>

namespace klarvik {

// The version with "." as decimal separator and no trailing zeros: 8.40 reads "8.4",
// 8.00 reads "8".
std::string SkinVersionText(double version);

enum class SkinVersionVerdict {
  kSupported,
  kNewer,  // 7 or more and above 8.99: loads after a warning
  kOlder,  // below 7: loads; only a designer would be told
};
SkinVersionVerdict JudgeSkinVersion(double version);

inline constexpr std::string_view kNewerSkinWarning =
    "This version of the skin have not complete support by used Skarvel package release.\r\n"
    "Components must be updated up to latest version for using this skin.";

}  // namespace klarvik
