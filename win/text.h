#pragma once
// Text at the Win32 boundary: wide texts to and from UTF-8 (exception texts, test output),
// comparison ignoring case, and captions without their access-key marks.
#include <string>
#include <string_view>

namespace klarvik {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

// Ordinal comparison ignoring case: ASCII letters and every other letter with a simple
// upper-case form, as the file system itself compares names.
bool SameText(std::wstring_view a, std::wstring_view b);

// "Every &8 Hour" -> "Every 8 Hour"; "&&" stands for one "&".
std::wstring WithoutAccessKeys(std::wstring_view caption);

}  // namespace klarvik
