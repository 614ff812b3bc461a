#include "controls/gauge_math.h"

#include <cstdint>
#include <sstream>

#include <gtest/gtest.h>

namespace klarvik {

namespace {

TEST(ProgressPercent, TruncatesTheShareOfTheRange) {
  struct Case {
    std::int32_t min, max, progress;
    int percent;
  };
  const Case cases[] = {
      {0, 100, 47, 47}, {0, 3, 1, 33}, {0, 3, 2, 66}, {5, 5, 5, 0}, {0, 10, 10, 100},
      {-10, 10, 0, 50},
      // Values of the main window's gauges reach 2^31: the share must not wrap.
      {0, 2147483647, 1073741824, 50},
      {-2147483647 - 1, 2147483647, 0, 50},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProgressPercent(c.min, c.max, c.progress), c.percent) << c.progress << " of " << c.min << ".." << c.max;
  }
}

TEST(FillLength, WholeProductsMayFallOnePixelShort) {
  struct Case {
    int percent, size, length;
  };
  const Case cases[] = {{10, 10, 0}, {20, 10, 1}, {99, 100, 98}, {5, 20, 0}, {47, 393, 184}, {85, 20, 17},
                        {25, 100, 25}, {50, 393, 196}, {75, 100, 75}, {100, 393, 393}, {0, 393, 0}};
  for (const auto& c : cases) EXPECT_EQ(FillLength(c.percent, c.size), c.length) << c.percent << "% of " << c.size;
}

// A non-negative number significand · 2^exponent as the x87 holds it: 64 significant bits,
// the top one set; zero has significand 0. Worked with integers only, so it owes nothing to
// the long double it checks.
struct Extended {
  std::uint64_t significand = 0;
  int exponent = 0;
};

constexpr std::uint64_t kTopBit = std::uint64_t{1} << 63;

Extended FromInt(std::uint32_t n) {
  if (n == 0) return {};
  Extended e{n, 0};
  while (!(e.significand & kTopBit)) {
    e.significand <<= 1;
    --e.exponent;
  }
  return e;
}

// 1/100 rounded to 64 significant bits, ties to even: 2^70 / 100 lies in [2^63, 2^64), so
// the significand is that quotient, rounded, and the exponent −70.
constexpr Extended OneHundredth() {
  std::uint64_t quotient = 0, remainder = 1;
  for (int bit = 0; bit < 70; ++bit) {  // long division of 2^70 by 100; the quotient's 6 lead bits are 0
    remainder *= 2;
    quotient <<= 1;
    if (remainder >= 100) {
      quotient |= 1;
      remainder -= 100;
    }
  }
  if (2 * remainder > 100 || (2 * remainder == 100 && (quotient & 1))) ++quotient;
  return {quotient, -70};
}
static_assert(OneHundredth().significand & kTopBit);

// The exact 128-bit product of two 64-bit numbers, built from 32-bit halves: the 32-bit
// Windows compiler has no 128-bit integer type, and this test runs there too.
struct Wide {
  std::uint64_t high, low;
};

Wide MultiplyWide(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t aLow = a & 0xFFFFFFFF, aHigh = a >> 32, bLow = b & 0xFFFFFFFF, bHigh = b >> 32;
  const std::uint64_t lowLow = aLow * bLow, lowHigh = aLow * bHigh, highLow = aHigh * bLow, highHigh = aHigh * bHigh;
  const std::uint64_t middle = (lowLow >> 32) + (lowHigh & 0xFFFFFFFF) + (highLow & 0xFFFFFFFF);
  return {highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32), middle << 32 | (lowLow & 0xFFFFFFFF)};
}

// The exact product rounded to 64 significant bits, ties to even.
Extended Multiply(Extended a, Extended b) {
  if (a.significand == 0 || b.significand == 0) return {};
  Wide product = MultiplyWide(a.significand, b.significand);  // in [2^126, 2^128)
  int exponent = a.exponent + b.exponent + 64;
  if (!(product.high & kTopBit)) {
    product.high = product.high << 1 | product.low >> 63;
    product.low <<= 1;
    --exponent;
  }
  Extended rounded{product.high, exponent};
  if (product.low > kTopBit || (product.low == kTopBit && (rounded.significand & 1))) {
    if (++rounded.significand == 0) rounded = {kTopBit, exponent + 1};
  }
  return rounded;
}

// Toward zero. The lengths here stay far below 2^63, so the exponent is negative.
int Truncate(Extended e) {
  return e.exponent <= -64 ? 0 : static_cast<int>(e.significand >> -e.exponent);
}

TEST(FillLength, MatchesExactExtendedArithmeticForEveryPercentAndSize) {
  const Extended hundredth = OneHundredth();
  int mismatches = 0;
  std::ostringstream first;
  for (int percent = 0; percent <= 100; ++percent) {
    const Extended share = Multiply(FromInt(static_cast<std::uint32_t>(percent)), hundredth);
    for (int size = 0; size <= 20000; ++size) {
      const int expected = Truncate(Multiply(FromInt(static_cast<std::uint32_t>(size)), share));
      const int actual = FillLength(percent, size);
      if (actual != expected && ++mismatches <= 5) {
        first << "\n  " << percent << "% of " << size << ": " << actual << ", exactly " << expected;
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << "first ones:" << first.str();
}

}  // namespace

}  // namespace klarvik
