// A definition's version as SkinInfo shows it, and how the manager judges it.
#include <gtest/gtest.h>

#include <string>

#include "skin/definition/skin_version.h"
#include "skin/definition/value_parsing.h"

namespace klarvik {

namespace {

TEST(SkinVersion, ReadsAsWrittenWithoutTrailingZeros) {
  struct Case {
    const char* written;
    const char* shown;
    SkinVersionVerdict verdict;
  };
  const Case cases[] = {
      {"8.40", "8.4", SkinVersionVerdict::kSupported},  {"8.00", "8", SkinVersionVerdict::kSupported},
      {"8.99", "8.99", SkinVersionVerdict::kSupported}, {"9", "9", SkinVersionVerdict::kNewer},
      {"8.991", "8.991", SkinVersionVerdict::kNewer},   {"7", "7", SkinVersionVerdict::kSupported},
      {"6.5", "6.5", SkinVersionVerdict::kOlder},       {"0", "0", SkinVersionVerdict::kOlder},
  };
  for (const Case& c : cases) {
    const double version = ParseVersion(c.written);
    EXPECT_EQ(SkinVersionText(version), c.shown) << c.written;
    EXPECT_EQ(JudgeSkinVersion(version), c.verdict) << c.written;
  }
}

}  // namespace

}  // namespace klarvik
