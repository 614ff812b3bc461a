#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "skin/definition/ini_text.h"
#include "skin/definition/value_parsing.h"
#include "skin/skin_error.h"

namespace klarvik {

namespace {

TEST(DefinitionValues, IntegersInEveryWrittenForm) {
  struct Case {
    const char* text;
    std::optional<int> value;
  };
  const Case cases[] = {
      {"0", 0},           {"3487288", 3487288},      {"-1", -1},           {"+12", 12},
      {"0092", 92},       {"0x10", 16},              {"0XfF", 255},        {"$FF00FF", 0xFF00FF},
      {"$FFFFFFFF", -1},  {"-$10", -16},             {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},              {"2147483648", std::nullopt},
      {"99999999999", std::nullopt},                 {"$123456789", std::nullopt},
      {"", std::nullopt}, {"-", std::nullopt},       {"$", std::nullopt},  {"0x", std::nullopt},
      {"12a", std::nullopt},                         {"1.5", std::nullopt}, {" 1", std::nullopt},
      {"$G0", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << c.text;
}

TEST(DefinitionValues, StrictConversionRaisesAndLenientFallsBack) {
  EXPECT_EQ(StrictInteger("0047"), 47);
  for (const char* bad : {"", "x", "12 ", "0x"}) {
    EXPECT_THROW(StrictInteger(bad), ESkinConvertError) << bad;
    EXPECT_EQ(IntegerOr(bad, 7), 7) << bad;
  }
  try {
    StrictInteger("abc");
    FAIL();
  } catch (const ESkinConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
}

TEST(DefinitionValues, BooleansAndVersions) {
  for (const char* yes : {"1", "TRUE", "true", "True"}) EXPECT_TRUE(ParseBoolean(yes)) << yes;
  for (const char* no : {"0", "", "2", "yes", "-1", "TRUE1"}) EXPECT_FALSE(ParseBoolean(no)) << no;
  EXPECT_DOUBLE_EQ(ParseVersion("8.40"), 8.4);
  EXPECT_DOUBLE_EQ(ParseVersion("7"), 7.0);
  EXPECT_DOUBLE_EQ(ParseVersion("7,45"), 0.0);  // "." is the only separator, whatever the locale
  EXPECT_DOUBLE_EQ(ParseVersion("abc"), 0.0);
}

TEST(DefinitionValues, GradientStepsTakeFourOfEveryFiveWords) {
  const TsGradArray steps = ParseGradient("3487288;1513239;97;0;0;1513239;1513239;0;0;0");
  EXPECT_EQ(steps, (TsGradArray{{TColor{3487288}, TColor{1513239}, 97, 0}, {TColor{1513239}, TColor{1513239}, 0, 0}}));

  // A remainder of fewer than five words makes no step; colours are at least 0 and the
  // share is clamped to 0..100; the fifth word is not read at all.
  EXPECT_EQ(ParseGradient("-5;7;250;3;x;1;2;3"), (TsGradArray{{TColor{0}, TColor{7}, 100, 3}}));
  EXPECT_EQ(ParseGradient("1;2;-4;9;0"), (TsGradArray{{TColor{1}, TColor{2}, 0, 9}}));
  EXPECT_TRUE(ParseGradient("1;2;3;4").empty());
  for (const char* bad : {"1;2;x;4;0", "1;;3;4;0", "1;2;3;4.5;0"}) EXPECT_THROW(ParseGradient(bad), ESkinConvertError) << bad;
}

TEST(DefinitionIni, SectionsKeysAndLinesThatAreIgnored) {
  const TsIniText ini(
      "KEY=before any section\r\n"
      "  [FORM]  \r\n"
      "; COLOR=1\n"
      "\n"
      "  COLOR = 3487288  \n"
      "no equals sign here\n"
      "=empty key\n"
      "PATTERN=~0034~0041~0037~0047~10~1\n"
      "COLOR=2\n"
      "[button]\n"
      "EMPTY=\n"
      "[FORM]\n"
      "EXTRA=x=y\n");
  ASSERT_EQ(ini.Sections().size(), 2u);
  const TsIniSection& form = ini.Sections()[0];
  EXPECT_EQ(form.Name, "FORM");
  ASSERT_EQ(form.Keys.size(), 3u);
  EXPECT_EQ(form.Keys[0].Name, "COLOR");
  EXPECT_EQ(form.Keys[0].Value, "3487288");  // the first of a key written twice
  EXPECT_EQ(form.Keys[1].Name, "PATTERN");
  EXPECT_EQ(form.Keys[2].Value, "x=y");       // a section written again continues
  EXPECT_EQ(ini.ReadString("button", "EMPTY", "?"), "");
  EXPECT_EQ(ini.Find("BUTTON", "EMPTY"), nullptr);  // names are compared exactly
  EXPECT_EQ(ini.Find("FORM", "color"), nullptr);
  EXPECT_EQ(ini.ReadInteger("FORM", "PATTERN", -1), -1);
  EXPECT_EQ(ini.ReadInteger("NONE", "COLOR", 9), 9);
  EXPECT_EQ(ini.Find("FORM", "KEY"), nullptr);
}

}  // namespace

}  // namespace klarvik
