#include "win/text.h"

#include <gtest/gtest.h>

namespace klarvik {

namespace {

TEST(Text, SameTextIgnoresCaseOnlyAndComparesWholeTexts) {
  struct Case {
    const wchar_t *a, *b;
    bool same;
  } cases[] = {
      {L"Temp", L"TEMP", true},   {L"Tmp", L"Temp", false}, {L"\u00e9t\u00e9", L"\u00c9T\u00c9", true},
      {L"", L"", true},           {L"a", L"", false},       {L"/del", L"/DEL", true},
      {L"UNC\\", L"unc\\", true}, {L"UNC", L"UNC\\", false},
  };
  for (const Case& c : cases) EXPECT_EQ(SameText(c.a, c.b), c.same) << ToUtf8(c.a) << " / " << ToUtf8(c.b);
}

TEST(Text, AccessKeyMarksAreDroppedAndDoubledOnesKeptOnce) {
  struct Case {
    const wchar_t *caption, *plain;
  } cases[] = {
      {L"Every &8 Hour", L"Every 8 Hour"}, {L"&&Save", L"&Save"}, {L"End&", L"End&"}, {L"", L""}, {L"&Clean", L"Clean"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithoutAccessKeys(c.caption), c.plain) << ToUtf8(c.caption);
}

}  // namespace

}  // namespace klarvik
