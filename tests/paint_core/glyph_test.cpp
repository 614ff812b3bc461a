#include "paint/primitives/glyph.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/corners.h"
#include "tests/paint_core/paint_test_support.h"

namespace klarvik {

namespace {

using namespace paint_test;

// Two 3 x 3 glyph states on the master bitmap, each with a mask below: state 0 grey
// 0x10, state 1 grey 0x80 with a magenta top-left pixel; masks 0 except one 255 pixel.
SkinBitmap GlyphMaster() {
  SkinBitmap m = Filled(6, 6, 0);
  FillArea(m, 0, 0, 3, 3, 0xFF101010);
  FillArea(m, 3, 0, 6, 3, 0xFF808080);
  SetPx(m, 3, 0, 0x00FF00FF);
  SetPx(m, 5, 5, 0x00FF0000);  // mask red 255 under state 1's bottom-right pixel
  return m;
}

TEST(DrawMaskGlyph, DrawsTheChosenStateThroughItsMask) {
  const TsSkinTables tables = TablesWithMaster(GlyphMaster());
  const TsMaskData e = Entry({0, 0, 6, 6}, 2, 1, 0, 0, 0, 0, 0);
  struct Case {
    const char* name;
    int state, mode;
    Point at;
    Point probe;
    std::uint32_t expected;
  };
  const std::uint32_t bg = 0x00000000;
  const Case cases[] = {
      {"state 0", 0, 1, {1, 1}, {2, 2}, 0x101010},  // mask 0: the image itself
      {"state 9 draws the last", 9, 1, {1, 1}, {2, 2}, 0x808080},
      {"magenta leaves the background", 1, 1, {1, 1}, {1, 1}, bg},
      {"mask 255 leaves the background", 1, 1, {1, 1}, {3, 3}, bg},
      {"faded: k = 100", 1, 0, {1, 1}, {2, 2}, 0x4E4E4E},  // (100·(0 − 128) + 256·128) >> 8 = 78
      {"clipped at negative coordinates", 1, 1, {-2, -2}, {0, 0}, bg},  // glyph pixel (2, 2): mask 255
      {"clipped at negative coordinates, inside", 1, 1, {-1, -1}, {0, 0}, 0x808080},
  };
  for (const auto& c : cases) {
    SkinBitmap d = Filled(5, 5, bg);
    DrawMaskGlyph(d.View(), c.at, c.state, {}, e, c.mode, &tables);
    EXPECT_EQ(Px(d, c.probe.x, c.probe.y) & 0x00FFFFFF, c.expected & 0x00FFFFFF) << c.name;
  }
}

TEST(DrawMaskGlyph, GrowsTheDestinationAlphaByTheMaskCoverage) {
  const TsSkinTables tables = TablesWithMaster(GlyphMaster());
  const TsMaskData e = Entry({0, 0, 6, 6}, 2, 1, 0, 0, 0, 0, 0);
  SkinBitmap d = Filled(3, 3, 0x40000000);
  DrawMaskGlyph(d.View(), {0, 0}, 0, {}, e, kGlyphNormal, &tables);
  EXPECT_EQ(Px(d, 1, 1) >> 24, 0x40u + ((0xBFu * 255) >> 8));
}

TEST(DrawMaskGlyph, UnmaskedGlyphsOnTheMasterUseTheKeyColour) {
  const TsSkinTables tables = TablesWithMaster(GlyphMaster());
  const TsMaskData e = Entry({0, 0, 6, 3}, 2, 0, 0, 0, 0, 0, 0);
  TacParentCache onItself;
  onItself.Ready = true;
  SkinBitmap d = Filled(3, 3, 0x00445566);
  onItself.Image = d.View();
  DrawMaskGlyph(d.View(), {0, 0}, 1, onItself, e, kGlyphNormal, &tables);
  EXPECT_EQ(Px(d, 0, 0), 0x00445566u);  // magenta leaves what was painted
  EXPECT_EQ(Px(d, 1, 1), 0xFF808080u);
  SkinBitmap faded = Filled(3, 3, 0x00000000);
  DrawMaskGlyph(faded.View(), {0, 0}, 1, {}, e, 0, &tables);
  EXPECT_EQ(Px(faded, 1, 1) & 0x00FFFFFF, 0x404040u);  // half way to the background
}

TEST(DrawMaskGlyph, OwnPicturesMustContainTheSourceRectangle) {
  TsSkinTables tables = TablesWithMaster(Filled(1, 1, 0));
  TsMaskData e = Entry({0, 0, 3, 3}, 1, 0, 0, 0, 0, 0, 0);
  e.Bitmap = std::make_shared<SkinBitmap>(Filled(3, 3, 0xFF0000FF));
  SkinBitmap d = Filled(3, 3, 0);
  DrawMaskGlyph(d.View(), {0, 0}, 0, {}, e, kGlyphNormal, &tables);
  EXPECT_EQ(Px(d, 2, 2), 0xFF0000FEu);  // drawn as an alpha image: (255·255) >> 8 = 254
  e.SourceRect = {0, 0, 4, 3};
  SkinBitmap untouched = Filled(3, 3, 0);
  DrawMaskGlyph(untouched.View(), {0, 0}, 0, {}, e, kGlyphNormal, &tables);
  EXPECT_EQ(untouched.pixels, Filled(3, 3, 0).pixels);
}

TEST(RefreshCornersFromParent, ReblendsOnlyTheChosenCornersOverTheNewParent) {
  // A 4 x 4 border image with 1-pixel borders; its top-left and bottom-right corner
  // pixels are magenta, so they show whatever parent lies behind.
  SkinBitmap m = Filled(4, 4, 0xFF202020);
  SetPx(m, 0, 0, 0x00FF00FF);
  SetPx(m, 3, 3, 0x00FF00FF);
  const TsSkinTables tables = TablesWithMaster(m);
  const TsMaskData border = Entry({0, 0, 4, 4}, 1, 0, 0, 1, 1, 1, 1);
  const SkinBitmap parent = Random(20, 20, 77);
  TacParentCache cache;
  cache.Image = ConstView(parent);
  cache.OffsetX = 5;
  cache.OffsetY = 6;
  cache.Ready = true;

  SkinBitmap cached = Filled(8, 8, 0x11111111);
  RefreshCornersFromParent(cached.View(), 0, kCornerTopLeft | kCornerBottomRight, border, cache, &tables);
  EXPECT_EQ(Px(cached, 0, 0), Px(parent, 5, 6));
  EXPECT_EQ(Px(cached, 7, 7), Px(parent, 12, 13));
  EXPECT_EQ(Px(cached, 7, 0), 0x11111111u);  // top right not asked for
  EXPECT_EQ(Px(cached, 0, 7), 0x11111111u);

  SkinBitmap none = Filled(8, 8, 0x11111111);
  RefreshCornersFromParent(none.View(), 0, 15, border, cache, nullptr);
  EXPECT_EQ(none.pixels, Filled(8, 8, 0x11111111).pixels);
}

}  // namespace

}  // namespace klarvik
