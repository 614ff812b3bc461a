#include "skin/definition/value_parsing.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "base/ascii_text.h"
#include "skin/skin_error.h"

namespace klarvik {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<int> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::uint32_t magnitude = 0;
  bool hex = false;
  if (!text.empty() && text.front() == '$') {
    hex = true;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  if (hex) {
    if (text.size() > 8) return std::nullopt;
    for (char c : text) {
      int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      magnitude = magnitude * 16 + static_cast<std::uint32_t>(digit);
    }
  } else {
    std::uint64_t wide = 0;
    for (char c : text) {
      if (c < '0' || c > '9') return std::nullopt;
      wide = wide * 10 + static_cast<std::uint64_t>(c - '0');
      if (wide > (std::uint64_t{1} << 31)) return std::nullopt;
    }
    if (wide == (std::uint64_t{1} << 31) && !negative) return std::nullopt;
    magnitude = static_cast<std::uint32_t>(wide);
  }
  // Hexadecimal colours such as $FFFFFFFF wrap into the sign bit, as the 32-bit value they name.
  std::uint32_t bits = negative ? 0u - magnitude : magnitude;
  return static_cast<int>(bits);
}

int IntegerOr(std::string_view text, int fallback) { return ParseInteger(text).value_or(fallback); }

int StrictInteger(std::string_view text) {
  std::optional<int> value = ParseInteger(text);
  if (!value) throw ESkinConvertError("'" + std::string(text) + "' is not a valid integer value");
  return *value;
}

bool ParseBoolean(std::string_view text) {
  return text == "1" || (text.size() == 4 && UpperCase(text) == "TRUE");
}

double ParseVersion(std::string_view text) {
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  return value;
}

TsGradArray ParseGradient(std::string_view text) {
  const std::size_t words = static_cast<std::size_t>(std::count(text.begin(), text.end(), ';')) + 1;
  if (words / 5 > kMaxGradientSteps) {
    throw ESkinConvertError("A gradient has more than " + std::to_string(kMaxGradientSteps) + " steps");
  }
  TsGradArray steps(words / 5);
  std::size_t start = 0;
  auto nextWord = [&] {
    std::size_t semicolon = text.find(';', start);
    std::string_view word = TrimBlanks(text.substr(start, semicolon == std::string_view::npos ? std::string_view::npos : semicolon - start));
    start = semicolon + 1;
    return word;
  };
  for (TsGradStep& step : steps) {
    step.Color1 = TColor{std::max(0, StrictInteger(nextWord()))};
    step.Color2 = TColor{std::max(0, StrictInteger(nextWord()))};
    step.Percent = static_cast<std::uint8_t>(std::clamp(StrictInteger(nextWord()), 0, 100));
    step.Mode = StrictInteger(nextWord());
    nextWord();
  }
  return steps;
}

std::int16_t ClampToInt16(long long value) {
  return static_cast<std::int16_t>(std::clamp<long long>(value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

int ClampInt(long long value, int low, int high) { return static_cast<int>(std::clamp<long long>(value, low, high)); }

}  // namespace klarvik
