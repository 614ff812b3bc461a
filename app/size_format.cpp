#include "app/size_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace klarvik {
namespace {

constexpr double kKB = 1024.0;
constexpr double kMB = kKB * 1024.0;
constexpr double kGB = kMB * 1024.0;
constexpr double kTB = kGB * 1024.0;

// Decimal digits of |value| and the power of ten of the first one.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

Decimal ToDecimal(double value, int significantDigits) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, significantDigits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  Decimal decimal;
  for (char c : text.substr(0, e)) {
    if (c != '.') decimal.digits += c;
  }
  decimal.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  return decimal;
}

// Digit of the decimal at the power of ten p (0 outside the stored digits).
int DigitAt(const Decimal& decimal, int p) {
  const int index = decimal.exponent - p;
  return (index >= 0 && index < static_cast<int>(decimal.digits.size())) ? decimal.digits[index] - '0' : 0;
}

// The decimal as a plain number with `decimals` places, rounded half away from
// zero (the first dropped digit decides, since the stored digits are exact),
// trailing zeros after the point and a lone point dropped.
std::string PlainText(bool negative, const Decimal& decimal, int decimals) {
  std::string digits;  // from 10^top down to 10^-decimals
  const int top = std::max(decimal.exponent, 0);
  for (int p = top; p >= -decimals; --p) digits += static_cast<char>('0' + DigitAt(decimal, p));
  if (DigitAt(decimal, -decimals - 1) >= 5) {
    int i = static_cast<int>(digits.size()) - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      digits.insert(digits.begin(), '1');
    }
  }
  std::string whole = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
  std::string fraction = digits.substr(whole.size());
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  const std::string text = fraction.empty() ? whole : whole + "." + fraction;
  return (negative && text != "0") ? "-" + text : text;
}

}  // namespace

std::string FormatNumber(NumberFormat format, double value) {
  if (!std::isfinite(value)) return "0";
  if (value == 0) return "0";
  const int decimals = format == NumberFormat::Whole ? 0 : 2;
  return PlainText(value < 0, ToDecimal(value, 18), decimals);
}

std::string PrintNumber(double value) {
  if (!std::isfinite(value) || value == 0) return "0";
  const Decimal decimal = ToDecimal(value, 15);
  const int decimals = std::max(0, static_cast<int>(decimal.digits.size()) - 1 - decimal.exponent);
  return PlainText(value < 0, decimal, decimals);
}

std::optional<double> ParseNumber(std::string_view text) {
  if (text.empty() || text.front() == '+') return std::nullopt;
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

double RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double rest = value - below;
  if (rest > 0.5) return below + 1;
  if (rest < 0.5) return below;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::string FormatSize(NumberFormat format, std::int64_t bytes) {
  const double n = static_cast<double>(bytes);
  if (bytes < 1024) return FormatNumber(format, n) + "bytes";
  if (n < kMB) return FormatNumber(format, n / kKB) + "KB";
  if (n < kGB) return FormatNumber(format, n / kMB) + "MB";
  if (n < kTB) return FormatNumber(format, n / kGB) + "GB";
  return FormatNumber(format, n / kTB) + "TB";
}

std::string UnitTag(std::string_view sizeText) {
  return std::string(sizeText.size() < 2 ? sizeText : sizeText.substr(sizeText.size() - 2));
}

std::string FormatSizeInUnit(std::string_view tag, NumberFormat format, std::int64_t bytes) {
  const double n = static_cast<double>(bytes);
  if (tag == "KB") return FormatNumber(format, n / kKB);
  if (tag == "MB") return FormatNumber(format, n / kMB);
  if (tag == "GB") return FormatNumber(format, n / kGB);
  if (tag == "TB") return FormatNumber(format, n / kTB);
  return "0";
}

}  // namespace klarvik
