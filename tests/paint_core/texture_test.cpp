#include "paint/primitives/texture.h"

#include <cstdint>
#include <memory>

#include <gtest/gtest.h>

#include "paint/primitives/bitmap_ops.h"
#include "tests/paint_core/paint_test_support.h"

namespace klarvik {

namespace {

using namespace paint_test;

constexpr std::uint32_t kTex = 0xFF0A0B0C, kBg = 0x00000000;

// Counts the texture's pixels inside and outside a rectangle.
struct Coverage {
  int inside = 0, outside = 0;
};
Coverage Count(const SkinBitmap& b, const Rect& r) {
  Coverage c;
  for (int y = 0; y < b.height; ++y) {
    for (int x = 0; x < b.width; ++x) {
      if (Px(b, x, y) != kTex) continue;
      const bool in = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
      (in ? c.inside : c.outside)++;
    }
  }
  return c;
}

TEST(TileTexture, PaintsByModeAndNarrowsTheRectangleToWhatIsLeft) {
  // A 10 x 10 texture in a 30 x 50 area (the mode-4 example: the top 10 rows stretched,
  // 40 rows below left uncovered).
  const TsSkinTables tables = TablesWithMaster(Filled(10, 10, kTex));
  struct Case {
    int mode;
    Rect painted;
    Rect left;
  };
  const Rect area{0, 0, 30, 50};
  const Case cases[] = {
      {0, area, {}},
      {1, area, {}},
      {2, {0, 0, 30, 10}, {0, 10, 30, 50}},
      {3, {0, 0, 10, 50}, {10, 0, 30, 50}},
      {4, {0, 0, 30, 10}, {0, 10, 30, 50}},
      {5, {0, 0, 10, 50}, {10, 0, 30, 50}},
      {6, {0, 40, 30, 50}, {0, 0, 30, 40}},
      {7, {20, 0, 30, 50}, {0, 0, 20, 50}},
      {10, {0, 0, 30, 40}, {}},  // the row at bottom − tile height is not placed
      {8, {}, area},  // not a tiling mode: nothing painted, nothing covered
  };
  for (const auto& c : cases) {
    const TsMaskData e = Entry({0, 0, 10, 10}, 1, 0, c.mode, 0, 0, 0, 0);
    SkinBitmap b = Filled(30, 50, kBg);
    Rect r = area;
    TileTexture(b.View(), r, e, c.mode, tables);
    EXPECT_EQ(r, c.left) << "mode " << c.mode;
    const Coverage got = Count(b, c.painted);
    EXPECT_EQ(got.inside, c.painted.Empty() ? 0 : c.painted.Width() * c.painted.Height()) << "mode " << c.mode;
    EXPECT_EQ(got.outside, 0) << "mode " << c.mode;
  }
}

// A row is placed while its top lies above bottom − tile height: a part row is never
// drawn, and neither is the row whose top is exactly bottom − tile height.
TEST(TileTexture, WholeRowModeStopsBeforeAPartRowAndCutsTheLastColumn) {
  const TsSkinTables tables = TablesWithMaster(Filled(10, 10, kTex));
  const TsMaskData e = Entry({0, 0, 10, 10}, 1, 0, 10, 0, 0, 0, 0);
  struct Case {
    int height;
    int paintedRows;
  };
  for (const Case c : {Case{35, 30}, Case{30, 20}, Case{31, 30}, Case{10, 0}}) {
    SCOPED_TRACE(c.height);
    SkinBitmap b = Filled(25, c.height, kBg);
    Rect r{0, 0, 25, c.height};
    TileTexture(b.View(), r, e, 10, tables);
    EXPECT_EQ(Count(b, {0, 0, 25, c.paintedRows}).inside, 25 * c.paintedRows);
    EXPECT_EQ(Count(b, {0, c.paintedRows, 25, c.height}).inside, 0) << "the rest is left as it was";
  }
}

TEST(TileTexture, EmptyRectanglesUseTheWholeOwnPictureAndZeroSizesPaintNothing) {
  TsSkinTables tables = TablesWithMaster(Filled(1, 1, 0));
  // A small JPG texture keeps its rectangle empty: its whole picture is the tile.
  TsMaskData jpg = Entry({0, 0, 0, 0}, 1, 0, 0, 0, 0, 0, 0);
  jpg.Bitmap = std::make_shared<SkinBitmap>(Filled(3, 2, kTex));
  SkinBitmap b = Filled(10, 10, kBg);
  Rect r{0, 0, 10, 10};
  TileTexture(b.View(), r, jpg, 0, tables);
  EXPECT_EQ(Count(b, {0, 0, 10, 10}).inside, 100);

  // On the master bitmap an empty rectangle is a tile of size 0: never tiled (it used to
  // loop for ever).
  const TsMaskData zero = Entry({0, 0, 0, 0}, 1, 0, 0, 0, 0, 0, 0);
  for (int mode : {0, 2, 3, 6, 7, 10}) {
    SkinBitmap z = Filled(10, 10, kBg);
    Rect zr{0, 0, 10, 10};
    TileTexture(z.View(), zr, zero, mode, tables);
    EXPECT_EQ(z.pixels, Filled(10, 10, kBg).pixels) << mode;
  }
}

TEST(TileImage, TilesFromTheTopLeftAndCutsAtTheEdges) {
  SkinBitmap img = Filled(2, 2, 0);
  img.pixels = {1, 2, 3, 4};
  SkinBitmap b = Filled(5, 3, 9);
  TileImage(b.View(), {0, 0, 5, 3}, ConstView(img));
  EXPECT_EQ(b.pixels, (std::vector<std::uint32_t>{1, 2, 1, 2, 1, 3, 4, 3, 4, 3, 1, 2, 1, 2, 1}));
}

TEST(TileMaskedTexture, WholeTilesThenParentStripsInModeTen) {
  // A 4 x 4 tile with an all-0 mask (the tile shows fully) below it.
  SkinBitmap m = Filled(4, 8, 0);
  FillArea(m, 0, 0, 4, 4, kTex);
  const TsSkinTables tables = TablesWithMaster(m);
  TsMaskData e = Entry({0, 0, 4, 8}, 1, 1, 10, 0, 0, 0, 0);
  const SkinBitmap parent = Random(30, 30, 4);
  TacParentCache cache;
  cache.Image = ConstView(parent);
  cache.Ready = true;
  cache.OffsetX = 2;
  cache.OffsetY = 1;
  SkinBitmap b = Filled(10, 10, kBg);
  TileMaskedTexture(b.View(), {0, 0, 10, 10}, e, tables, cache);
  EXPECT_EQ(Count(b, {0, 0, 8, 8}).inside, 64);
  EXPECT_EQ(Count(b, {0, 0, 8, 8}).outside, 0);
  EXPECT_EQ(Px(b, 9, 3), Px(parent, 11, 4));  // right strip from the parent
  EXPECT_EQ(Px(b, 2, 9), Px(parent, 4, 10));  // bottom strip from the parent

  TacParentCache colour;
  colour.FillColor = TColor{0x0000FF};
  SkinBitmap c = Filled(10, 10, kBg);
  TileMaskedTexture(c.View(), {0, 0, 10, 10}, e, tables, colour);
  EXPECT_EQ(Px(c, 9, 9), 0xFFFF0000u);

  e.FillMode = 0;  // mode 0: covers all, the last tiles cut; the destination alpha stays
  SkinBitmap all = Filled(10, 10, 0xFF000000);
  TileMaskedTexture(all.View(), {0, 0, 10, 10}, e, tables, {});
  EXPECT_EQ(Count(all, {0, 0, 10, 10}).inside, 100);
  e.FillMode = 4;  // other modes draw nothing
  SkinBitmap none = Filled(10, 10, kBg);
  TileMaskedTexture(none.View(), {0, 0, 10, 10}, e, tables, {});
  EXPECT_EQ(none.pixels, Filled(10, 10, kBg).pixels);
}

}  // namespace

}  // namespace klarvik
