#pragma once
// The running program's version, from its version resource.
#include <windows.h>

#include <optional>
#include <string>

namespace klarvik {

struct VersionNumbers {
  WORD major = 0;
  WORD minor = 0;
  WORD release = 0;
  WORD build = 0;
};

// The file version of an executable; none when it carries no version information.
std::optional<VersionNumbers> GetVersionNumbers(const std::wstring& executable);
// "major.minor Build: build"; the release number is not shown.
std::wstring VersionText(const VersionNumbers& numbers);
// The running program's: VersionText, or "unknown" for a program without version information.
std::wstring GetVersionText();

}  // namespace klarvik
