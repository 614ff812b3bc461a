#pragma once
// How definition values become numbers, truth values and gradients.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "skin/definition/skin_records.h"

namespace klarvik {

// Decimal with an optional sign, or hexadecimal after "0x", "0X" or "$" (up to eight
// digits, wrapping into the sign bit as colours are written); none otherwise.
std::optional<int> ParseInteger(std::string_view text);
int IntegerOr(std::string_view text, int fallback);
// Strict: raises ESkinConvertError for a value that is not an integer.
int StrictInteger(std::string_view text);
// "1" or "TRUE" in any letter case.
bool ParseBoolean(std::string_view text);
// A decimal number with "." as separator, whatever the locale; 0 when not a number.
double ParseVersion(std::string_view text);
// The most steps one gradient may have; real gradients have a handful.
inline constexpr std::size_t kMaxGradientSteps = 1024;
// Words separated by ";", five per step; words 1 to 4 of each step converted strictly.
// Raises ESkinConvertError past kMaxGradientSteps, before allocating anything.
TsGradArray ParseGradient(std::string_view text);

std::string_view TrimBlanks(std::string_view text);

// Narrowing that keeps a value inside the target range instead of wrapping.
std::int16_t ClampToInt16(long long value);
int ClampInt(long long value, int low, int high);

}  // namespace klarvik
