#include "app/size_format.h"

#include <gtest/gtest.h>

namespace klarvik {
namespace {

struct SizeCase {
  std::int64_t bytes;
  const char* twoDecimals;
  const char* whole;
};

// Unit boundaries and the rounding of the two formats.
TEST(FormatSize, PicksTheUnitByRangeAndRoundsHalfAwayFromZero) {
  const SizeCase cases[] = {
      {0, "0bytes", "0bytes"},
      {700, "700bytes", "700bytes"},
      {1023, "1023bytes", "1023bytes"},
      {1024, "1KB", "1KB"},
      {1536, "1.5KB", "2KB"},
      {2560, "2.5KB", "3KB"},  // half away from zero, not to even
      {512000, "500KB", "500KB"},
      {1048575, "1024KB", "1024KB"},  // 1023.999 KB rounds up but stays in KB
      {2097152, "2MB", "2MB"},
      {314572800, "300MB", "300MB"},
      {1073741824, "1GB", "1GB"},
      {1207959552, "1.13GB", "1GB"},  // 1.125 GB
      {1610612736, "1.5GB", "2GB"},
      {13421772800, "12.5GB", "13GB"},
      {1099511627776, "1TB", "1TB"},
      {1649267441664, "1.5TB", "2TB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(FormatSize(NumberFormat::TwoDecimals, c.bytes), c.twoDecimals);
    EXPECT_EQ(FormatSize(NumberFormat::Whole, c.bytes), c.whole);
  }
}

TEST(FormatSize, UnitTagIsTheLastTwoCharacters) {
  EXPECT_EQ(UnitTag(FormatSize(NumberFormat::Whole, 700)), "es");
  EXPECT_EQ(UnitTag(FormatSize(NumberFormat::Whole, 13421772800)), "GB");
}

TEST(FormatSizeInUnit, WritesTheCountInTheTagsUnit) {
  EXPECT_EQ(FormatSizeInUnit("GB", NumberFormat::TwoDecimals, 107374182400), "100");
  EXPECT_EQ(FormatSizeInUnit("MB", NumberFormat::TwoDecimals, 107374182400), "102400");
  EXPECT_EQ(FormatSizeInUnit("KB", NumberFormat::TwoDecimals, 1536), "1.5");
  EXPECT_EQ(FormatSizeInUnit("TB", NumberFormat::TwoDecimals, 4398046511104), "4");
  EXPECT_EQ(FormatSizeInUnit("es", NumberFormat::TwoDecimals, 4398046511104), "0");
}

TEST(FormatNumber, DropsTrailingZerosAndCarriesRoundingIntoTheWholePart) {
  EXPECT_EQ(FormatNumber(NumberFormat::TwoDecimals, 12.50), "12.5");
  EXPECT_EQ(FormatNumber(NumberFormat::TwoDecimals, 100.0), "100");
  EXPECT_EQ(FormatNumber(NumberFormat::TwoDecimals, 9.999), "10");
  EXPECT_EQ(FormatNumber(NumberFormat::TwoDecimals, 0.004), "0");
  EXPECT_EQ(FormatNumber(NumberFormat::TwoDecimals, 0.005), "0.01");
  EXPECT_EQ(FormatNumber(NumberFormat::TwoDecimals, -1.125), "-1.13");
  EXPECT_EQ(FormatNumber(NumberFormat::Whole, 0.5), "1");
  EXPECT_EQ(FormatNumber(NumberFormat::Whole, 12345678901234.0), "12345678901234");
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  const std::pair<double, double> cases[] = {{12.5, 12}, {13.5, 14}, {1.5, 2}, {0.5, 0},
                                             {2.4999, 2}, {2.5001, 3}, {-0.5, 0}, {-1.5, -2}};
  for (const auto& [in, out] : cases) EXPECT_EQ(RoundHalfEven(in), out) << in;
}

TEST(ParseNumber, AcceptsPlainDecimalsOnly) {
  EXPECT_EQ(ParseNumber("12.5"), 12.5);
  EXPECT_EQ(ParseNumber("700"), 700);
  EXPECT_EQ(ParseNumber("12,5"), std::nullopt);
  EXPECT_EQ(ParseNumber("700byt"), std::nullopt);
  EXPECT_EQ(ParseNumber(""), std::nullopt);
}

TEST(PrintNumber, ShortestPlainTextWithFifteenDigits) {
  EXPECT_EQ(PrintNumber(12.5), "12.5");
  EXPECT_EQ(PrintNumber(1.13), "1.13");
  EXPECT_EQ(PrintNumber(300), "300");
  EXPECT_EQ(PrintNumber(0.1 + 0.2), "0.3");
  EXPECT_EQ(PrintNumber(102400), "102400");
}

}  // namespace
}  // namespace klarvik
