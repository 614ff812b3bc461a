#include "skin/package/skin_locations.h"

namespace klarvik {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The program folder without its last component: "C:\App\Bin\" gives "C:\App\".
std::wstring ParentFolder(std::wstring_view programFolder) {
  std::wstring parent(programFolder);
  if (!parent.empty()) parent.pop_back();
  while (!parent.empty() && !IsSeparator(parent.back())) parent.pop_back();
  return parent;
}

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

}  // namespace

std::wstring ResolveSkinDirectory(std::wstring_view d, std::wstring_view programFolder) {
  std::wstring resolved;
  if (d.starts_with(L"..")) {
    resolved = ParentFolder(programFolder).append(d.substr(std::min<std::size_t>(3, d.size())));
  } else if (d.starts_with(L".\\") || d.starts_with(L"./")) {
    resolved = std::wstring(programFolder).append(d.substr(2));
  } else if (d == L".") {
    resolved = programFolder;
  } else if (d.find(L':') == std::wstring_view::npos && d.find(L"\\\\") == std::wstring_view::npos) {
    resolved = std::wstring(programFolder).append(d);
  } else {
    resolved = d;
  }
  if (resolved.empty() || resolved.back() != L'\\') {
    if (!resolved.empty() && resolved.back() == L'/') resolved.pop_back();
    resolved += L'\\';
  }
  return resolved;
}

std::wstring WithoutPackageExtension(std::wstring_view name) {
  constexpr std::wstring_view kExtension = L".tpk";
  if (name.size() <= kExtension.size()) return std::wstring(name);
  const std::wstring_view tail = name.substr(name.size() - kExtension.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (AsciiLower(tail[i]) != kExtension[i]) return std::wstring(name);
  }
  return std::wstring(name.substr(0, name.size() - kExtension.size()));
}

}  // namespace klarvik
