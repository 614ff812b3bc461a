// The [GLOBALINFO] record of a loaded skin keeps 0 in its border and texture fields, yet
// image entry 0 belongs to another section: painting [GLOBALINFO] must not draw it.
#include <gtest/gtest.h>

#include <cstdint>

#include "paint/primitives/section_item.h"
#include "tests/paint_core/paint_test_support.h"
#include "tests/skin_core/definition_fixture.h"

namespace klarvik {

namespace {

using namespace definition_fixture;

constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kGrey = 0xFF808080;

// Entry 0 is [PANEL]'s border over a green master, frame and centre drawn. [GLOBALINFO]
// is grey and would take all of both states from a texture if it had one.
TsSkinTables SkinWithGreenEntryZero() {
  MemoryFiles files;
  files.Add("Master.bmp", PlainBmp(10, 10, kGreen & 0x00FFFFFF));
  return Load(WithMaster("[PANEL]\nBORDERSMASK=^0000^0000^0010^0010^0003^0003^0003^0003^1^0^5^0\n",
                         "COLOR=8421504\nHOTCOLOR=8421504\nIMAGEPERCENT=100\nHOTIMAGEPERCENT=100\n"),
              files);
}

TEST(GlobalInfoSection, NeverShowsImageEntryZero) {
  const TsSkinTables t = SkinWithGreenEntryZero();
  ASSERT_EQ(t.Masks.size(), 1u);
  ASSERT_GE(t.Cached.GlobalInfo, 0);
  const int panel = t.IndexOfSection("PANEL");
  struct Case {
    const char* name;
    int section;
    int state;
    bool item;  // the whole item, else the background alone
    std::uint32_t everyPixel;
  };
  const Case cases[] = {
      {"[PANEL]'s item, which owns entry 0", panel, 0, true, kGreen},
      {"item, normal state", t.Cached.GlobalInfo, 0, true, kGrey},
      {"item, hot state", t.Cached.GlobalInfo, 1, true, kGrey},
      {"background, normal state", t.Cached.GlobalInfo, 0, false, kGrey},
      {"background, hot state", t.Cached.GlobalInfo, 1, false, kGrey},
  };
  for (const Case& c : cases) {
    SectionPaint p;
    p.tables = &t;
    p.section = c.section;
    p.state = c.state;
    SkinBitmap b = paint_test::Filled(16, 16, 0);
    if (c.item) {
      PaintSectionItem(b.View(), {0, 0, 16, 16}, p, false);
    } else {
      PaintSectionBackground(b.View(), {0, 0, 16, 16}, p);
    }
    int others = 0;
    for (std::uint32_t px : b.pixels) others += px != c.everyPixel ? 1 : 0;
    EXPECT_EQ(others, 0) << c.name << ": first pixel " << std::hex << b.pixels[0];
  }
}

}  // namespace

}  // namespace klarvik
