#include "base/ascii_text.h"

#include <algorithm>

namespace klarvik {

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = AsciiUpper(c);
  return upper;
}

bool ContainsUpper(std::string_view text, std::string_view upperPart) {
  return std::search(text.begin(), text.end(), upperPart.begin(), upperPart.end(),
                     [](char a, char b) { return AsciiUpper(a) == b; }) != text.end();
}

}  // namespace klarvik
