#pragma once
// Byte counts as texts with a size unit ("12.5GB", "700bytes") and the number
// formats behind them. Always "." as decimal separator, whatever the locale says.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace klarvik {

// "0": a whole number. "0.##": at most two decimals, trailing zeros and a lone
// point dropped. Both round half away from zero on the value's 18-significant-digit
// decimal expansion, so 1.125 gives "1.13".
enum class NumberFormat { Whole, TwoDecimals };

std::string FormatNumber(NumberFormat format, double value);

// Shortest plain decimal text of the value with at most 15 significant digits.
std::string PrintNumber(double value);

// Parses a plain decimal number with "." as separator; nothing on any other text.
std::optional<double> ParseNumber(std::string_view text);

// Rounds to the nearest integer, ties to the even neighbour (12.5 -> 12, 13.5 -> 14).
double RoundHalfEven(double value);

// A size text with the unit picked by the count's range: "bytes", "KB", "MB", "GB", "TB".
std::string FormatSize(NumberFormat format, std::int64_t bytes);

// The last two characters of a size text: "KB", "MB", "GB", "TB", or "es" for bytes.
std::string UnitTag(std::string_view sizeText);

// The count written in the unit of the tag; "0" for any other tag.
std::string FormatSizeInUnit(std::string_view tag, NumberFormat format, std::int64_t bytes);

}  // namespace klarvik
