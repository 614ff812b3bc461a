#pragma once
// Conversions between the runtime's wide texts and UTF-8 (exception texts, test output).
#include <string>
#include <string_view>

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);
