#pragma once
// Upper-casing of the ASCII texts skins are written in (section and key names, member
// names, file extensions). Bytes outside a–z pass unchanged, so UTF-8 stays intact.
#include <string>
#include <string_view>

namespace klarvik {

constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperCase(std::string_view text);

// Whether `text` upper-cased contains `upperPart`, without making the upper-cased copy.
bool ContainsUpper(std::string_view text, std::string_view upperPart);

}  // namespace klarvik
