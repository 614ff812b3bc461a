// Section items whose expected pixels are worked out by hand from the painting formulas,
// beside the golden hashes (which only prove that every build agrees with itself): a slip
// in a formula fails here.
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/section_item.h"
#include "tests/paint_core/paint_test_support.h"

namespace klarvik {

namespace {

using namespace paint_test;

constexpr std::uint32_t Grey(std::uint32_t level) { return 0xFF000000u | level * 0x010101u; }

// Master: a 3 x 3 border image of colour R 0x20, G 0x40, B 0x80 with a mask of 64 below it
// at (0, 0); a 2 x 2 texture of grey 200 at (4, 0).
TsSkinTables HandSkin() {
  SkinBitmap m = Filled(8, 6, 0);
  FillArea(m, 0, 0, 3, 3, 0xFF204080);
  FillArea(m, 0, 3, 3, 6, 0x00404040);
  FillArea(m, 4, 0, 6, 2, Grey(200));
  TsSkinTables t = TablesWithMaster(m);
  t.Masks.push_back(Entry({0, 0, 3, 6}, 1, 1, 0, 1, 1, 1, 1));  // 0: border, tiled sides, no centre
  t.Masks.push_back(Entry({4, 0, 6, 2}, 1, 0, 0, 0, 0, 0, 0));  // 1: texture, tiled
  return t;
}

int AddSection(TsSkinTables& t, const Look& look, int border = -1) {
  TsGeneralData s = Section(std::string("S").append(std::to_string(t.Sections.size())), look);
  s.BorderMaskIndex = border;
  t.Sections.push_back(s);
  return static_cast<int>(t.Sections.size()) - 1;
}

SkinBitmap PaintItem(const TsSkinTables& t, int section, int width, int height, const TacParentCache& parent = {}) {
  SkinBitmap b = Filled(width, height, 0x11223344);
  SectionPaint p;
  p.tables = &t;
  p.section = section;
  p.parent = parent;
  PaintSectionItem(b.View(), {0, 0, width, height}, p, false);
  return b;
}

TEST(HandComputedItems, BorderPieceKeepsTheBackgroundByItsMask) {
  TsSkinTables t = HandSkin();
  const int framed = AddSection(t, Plain(TColor{0x646464}), 0);
  const SkinBitmap b = PaintItem(t, framed, 6, 6);
  // Each channel (M·(D − S) + 256·S) >> 8 with M 64 and the background D 100:
  //   red   S 0x20: (64·68 + 8192) >> 8 = 49
  //   green S 0x40: (64·36 + 16384) >> 8 = 73
  //   blue  S 0x80: (64·(−28) + 32768) >> 8 = 121
  EXPECT_EQ(Px(b, 0, 0), 0xFF314979u);  // top-left corner piece
  EXPECT_EQ(Px(b, 3, 0), 0xFF314979u);  // a tiled top side piece
  EXPECT_EQ(Px(b, 2, 2), Grey(100));    // no centre: the background shows
}

TEST(HandComputedItems, GradientRowsStepEvenlyWithinEachStop) {
  TsSkinTables t = HandSkin();
  // Grey 0 to 100 over half the height, then grey 200 to 250 to the bottom.
  const int ramp = AddSection(t, {TColor{0}, 0, 0, 100, "0;6579300;50;0;0;13158600;16448250;50;0;0", -1});
  const SkinBitmap b = PaintItem(t, ramp, 4, 10);
  // Stop 1 covers rows 0 to min(0 + 10·50 ÷ 100, 9) = 5, exclusive: five rows of
  // 0 + j·100 ÷ 5. The last stop runs from row 5 to the bottom: 200 + j·50 ÷ 5.
  const std::uint32_t rows[10] = {0, 20, 40, 60, 80, 200, 210, 220, 230, 240};
  for (int y = 0; y < 10; ++y) EXPECT_EQ(Px(b, 2, y), Grey(rows[y])) << "row " << y;
}

TEST(HandComputedItems, TextureGradientAndColourTakeTheirShares) {
  TsSkinTables t = HandSkin();
  const std::string grey100 = "6579300;6579300;100;0;0";
  const int woven = AddSection(t, {TColor{0x000000}, 0, 30, 50, grey100, 1});
  const int onePass = AddSection(t, {TColor{0x000000}, 0, 70, 30, grey100, 1});
  const int onePassDarker = AddSection(t, {TColor{0x000000}, 0, 70, 30, "16448250;16448250;100;0;0", 1});
  // Texture 200, then the gradient 100 laid over it keeping k = 30·255 ÷ 80 = 95 of the
  // texture: (95·(200 − 100) + 256·100) >> 8 = 137; then faded to the colour 0 keeping
  // 80 %: (80·137 + 50) ÷ 100 = 110.
  EXPECT_EQ(Px(PaintItem(t, woven, 5, 5), 3, 3), Grey(110));
  // Texture and gradient in one pass with a = 70·255 ÷ 100 = 178:
  // 100 + ((200 − 100)·178 >> 8) = 169.
  EXPECT_EQ(Px(PaintItem(t, onePass, 5, 5), 3, 3), Grey(169));
  // A texture darker than the gradient 250 rounds down too: 250 + (−50·178 >> 8) =
  // 250 − 35 = 215, where a truncating ÷ 256 would give 216.
  EXPECT_EQ(Px(PaintItem(t, onePassDarker, 5, 5), 3, 3), Grey(215));
}

TEST(HandComputedItems, TransparentSectionKeepsItsShareOfTheParent) {
  TsSkinTables t = HandSkin();
  const int haze = AddSection(t, Plain(TColor{0x3C3C3C}, 40));
  const SkinBitmap parent = Filled(10, 10, Grey(180));
  TacParentCache ready;
  ready.Image = ConstView(parent);
  ready.Ready = true;
  // k = (40·255 + 50) ÷ 100 = 102 of the parent 180 over the colour 60:
  // (102·(180 − 60) + 256·60) >> 8 = 107.
  EXPECT_EQ(Px(PaintItem(t, haze, 5, 5, ready), 2, 2), Grey(107));
}

}  // namespace

}  // namespace klarvik
