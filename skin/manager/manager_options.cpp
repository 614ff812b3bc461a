#include "skin/manager/manager_options.h"

namespace klarvik {

namespace {

// One name per line; a text ending in a line break has no empty name after it.
std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end;
    if (start < text.size() && text[start] == L'\r') ++start;
    if (start < text.size() && text[start] == L'\n') ++start;
  }
  return lines;
}

}  // namespace

void ThirdPartyList::Reset(bool all) {
  for (std::size_t i = 0; i < Lists.size(); ++i) {
    if (all || Lists[i].empty()) Lists[i] = static_cast<int>(i) == kButtons ? L"TButton" : L" ";
    Classes[i] = Lines(Lists[i]);
  }
}

}  // namespace klarvik
