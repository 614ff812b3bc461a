#include "skin/definition/skin_version.h"

#include <charconv>

namespace klarvik {

std::string SkinVersionText(double version) {
  // Shortest text that reads back as the same value: what the definition wrote, less its
  // trailing zeros, whatever the user's decimal separator.
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, version);
  if (error != std::errc()) return "0";
  return std::string(buffer, end);
}

SkinVersionVerdict JudgeSkinVersion(double version) {
  if (version > 8.99) return SkinVersionVerdict::kNewer;
  if (version < 7) return SkinVersionVerdict::kOlder;
  return SkinVersionVerdict::kSupported;
}

}  // namespace klarvik
