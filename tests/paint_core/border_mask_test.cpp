#include "paint/primitives/border_mask.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/blend.h"
#include "tests/paint_core/paint_test_support.h"

namespace klarvik {

namespace {

using namespace paint_test;

TEST(FitBorderWidths, TakesTheExcessHalfFromEachSideTheOddPixelFromTheRight) {
  struct Case {
    BorderWidths in;
    int width, height;
    BorderWidths out;
  };
  const Case cases[] = {
      {{2, 2, 2, 2}, 3, 10, {2, 2, 1, 2}},  // excess 1: half 0, the odd pixel from the right
      {{2, 2, 2, 2}, 2, 10, {1, 2, 1, 2}},  // excess 2: one from each side
      {{2, 2, 2, 2}, 10, 3, {2, 2, 2, 1}},  // the same for top and bottom
      {{3, 0, 0, 0}, 2, 2, {3, 0, 0, 0}},   // excess 1 only shrinks the right, never below 0
      {{1, 1, 5, 1}, 2, 4, {0, 1, 3, 1}},   // excess 4: each side gives what it has, down to 0
      {{2, 2, 2, 2}, 4, 4, {2, 2, 2, 2}},
  };
  for (const auto& c : cases) {
    const BorderWidths got = FitBorderWidths(c.in, c.width, c.height);
    EXPECT_EQ(got, c.out) << c.in.left << "/" << c.in.right << " in " << c.width;
  }
}

// A master bitmap with three 6 x 6 state images side by side (plain colours, no mask) and
// a second row of three masked 6 x 6 states, each with its mask below.
constexpr std::uint32_t kStateColours[3] = {0xFF110000, 0xFF002200, 0xFF000033};

SkinBitmap MasterWithStates() {
  SkinBitmap m = Filled(18, 18, 0);
  for (int s = 0; s < 3; ++s) {
    FillArea(m, s * 6, 0, s * 6 + 6, 6, kStateColours[s]);
    FillArea(m, s * 6, 6, s * 6 + 6, 12, kStateColours[s]);  // masked images
    FillArea(m, s * 6, 12, s * 6 + 6, 18, 0x00000000);       // their masks: show the image fully
  }
  return m;
}

TEST(DrawBorderMask, PicksTheStateImageOrDrawsNothing) {
  const TsSkinTables tables = TablesWithMaster(MasterWithStates());
  struct Case {
    const char* name;
    TsMaskData entry;
    int state;
    std::uint32_t corner;  // pixel (0, 0) afterwards; 0 = untouched
  };
  const TsMaskData plain = Entry({0, 0, 18, 6}, 3, 0, 4, 2, 2, 2, 2);
  const TsMaskData masked = Entry({0, 6, 18, 18}, 3, 1, 4, 2, 2, 2, 2);
  TsMaskData noStateZero = plain;
  noStateZero.FillMode = 4 | 2;
  TsMaskData noStates = plain;
  noStates.StateCount = 0;  // "StateCount − 1" would be −1
  TsMaskData hidden = plain;
  hidden.MaskKind = -1;
  const Case cases[] = {
      {"state 1", plain, 1, kStateColours[1]},
      {"state 5 of 3 draws the third", plain, 5, kStateColours[2]},
      {"negative state draws the first", plain, -4, kStateColours[0]},
      {"masked state 5 of 3", masked, 5, kStateColours[2]},
      {"state 0 with FillMode bit 2", noStateZero, 0, 0},
      {"state 1 with FillMode bit 2", noStateZero, 1, kStateColours[1]},
      {"no state images", noStates, 1, 0},
      {"MaskKind -1", hidden, 1, 0},
  };
  for (const auto& c : cases) {
    SkinBitmap d = Filled(12, 12, 0);
    DrawBorderMask(d.View(), {0, 0, 12, 12}, {}, false, c.state, c.entry, &tables);
    // Colours only: a masked blit keeps the destination alpha.
    EXPECT_EQ(Px(d, 0, 0) & 0x00FFFFFF, c.corner & 0x00FFFFFF) << c.name;
    EXPECT_EQ(Px(d, 6, 6) & 0x00FFFFFF, c.corner & 0x00FFFFFF) << c.name << " (centre)";
  }
}

TEST(DrawBorderMask, DrawsNothingWithoutTablesOrInATinyRectangle) {
  const TsSkinTables tables = TablesWithMaster(MasterWithStates());
  const TsMaskData plain = Entry({0, 0, 18, 6}, 3, 0, 4, 2, 2, 2, 2);
  const Rect rects[] = {{0, 0, 1, 12}, {0, 0, 12, 1}, {5, 5, 5, 5}};
  for (const auto& r : rects) {
    SkinBitmap d = Filled(12, 12, 0);
    DrawBorderMask(d.View(), r, {}, false, 1, plain, &tables);
    EXPECT_EQ(d.pixels, Filled(12, 12, 0).pixels);
  }
  SkinBitmap d = Filled(12, 12, 0);
  DrawBorderMask(d.View(), {0, 0, 12, 12}, {}, false, 1, plain, nullptr);
  EXPECT_EQ(d.pixels, Filled(12, 12, 0).pixels);
}

TEST(DrawBorderMask, NarrowRectanglesKeepTheLeftBorderAndCutTheRight) {
  // One state, 6 wide: columns 0-1 left border, 2-3 centre, 4-5 right border, each
  // column its own colour.
  SkinBitmap m = Filled(6, 6, 0);
  for (int x = 0; x < 6; ++x) FillArea(m, x, 0, x + 1, 6, 0xFF000000u | static_cast<std::uint32_t>(x + 1));
  const TsSkinTables tables = TablesWithMaster(m);
  const TsMaskData e = Entry({0, 0, 6, 6}, 1, 0, 0, 2, 2, 2, 2);
  SkinBitmap d = Filled(3, 6, 0);
  DrawBorderMask(d.View(), {0, 0, 3, 6}, {}, false, 0, e, &tables);
  // Left width 2 (columns 1, 2 of the image), right width 1 (its outermost column 6).
  EXPECT_EQ(Px(d, 0, 0) & 0xFF, 1u);
  EXPECT_EQ(Px(d, 1, 0) & 0xFF, 2u);
  EXPECT_EQ(Px(d, 2, 0) & 0xFF, 6u);
}

// Six columns, each its own colour 1..6, over `rows` rows; below them `maskRows` rows of 0
// masks that show the image fully.
SkinBitmap NumberedColumns(int rows, int maskRows) {
  SkinBitmap m = Filled(6, rows + maskRows, 0);
  for (int x = 0; x < 6; ++x) FillArea(m, x, 0, x + 1, rows, 0xFF000000u | static_cast<std::uint32_t>(x + 1));
  return m;
}

TEST(DrawBorderMask, TilesSidesFromTheStartEdgeAndCutsTheLastPiece) {
  struct Case {
    const char* name;
    SkinBitmap master;
    TsMaskData entry;
    std::vector<std::uint32_t> topRow;  // blue channel of row 0 across an 11-pixel rectangle
  };
  const Case cases[] = {
      // Borders 2 and 2: the top band repeats image columns 3, 4, the last piece cut.
      {"plain", NumberedColumns(6, 0), Entry({0, 0, 6, 6}, 1, 0, 4, 2, 2, 2, 2), {1, 2, 3, 4, 3, 4, 3, 4, 3, 5, 6}},
      // Borders 1 and 2 through a mask: the band repeats columns 2..4.
      {"masked", NumberedColumns(3, 3), Entry({0, 0, 6, 6}, 1, 1, 4, 1, 1, 2, 1), {1, 2, 3, 4, 2, 3, 4, 2, 3, 5, 6}},
  };
  for (const auto& c : cases) {
    const TsSkinTables tables = TablesWithMaster(c.master);
    SkinBitmap d = Filled(11, 6, 0);
    DrawBorderMask(d.View(), {0, 0, 11, 6}, {}, false, 0, c.entry, &tables);
    std::vector<std::uint32_t> row;
    for (int x = 0; x < 11; ++x) row.push_back(Px(d, x, 0) & 0xFF);
    EXPECT_EQ(row, c.topRow) << c.name;
  }
}

TEST(DrawBorderMask, ZeroSizedPiecesAreNeverTiled) {
  // Borders that leave no centre (4 + 2 of a 6-wide image) and a zero top: the side bands
  // with a 0 piece size must end, not loop.
  SkinBitmap m = Filled(6, 6, 0xFF123456);
  const TsSkinTables tables = TablesWithMaster(m);
  const TsMaskData e = Entry({0, 0, 6, 6}, 1, 0, 4, 4, 0, 2, 6);
  SkinBitmap d = Filled(40, 40, 0);
  DrawBorderMask(d.View(), {0, 0, 40, 40}, {}, false, 0, e, &tables);
  EXPECT_EQ(Px(d, 0, 39), 0xFF123456u);
}

TEST(DrawBorderMask, MagentaCornerPixelsTakeTheParentPixelAtTheSamePlace) {
  SkinBitmap m = MasterWithStates();
  SetPx(m, 0, 6, 0x00FF00FF);  // top-left pixel of the first masked state image
  const TsSkinTables tables = TablesWithMaster(m);
  TsMaskData e = Entry({0, 6, 18, 18}, 3, 1, 4, 2, 2, 2, 2);
  e.CornerKind = 1;
  const SkinBitmap parent = Random(30, 30, 5);
  TacParentCache ready;
  ready.Image = ConstView(parent);
  ready.OffsetX = 7;
  ready.OffsetY = 9;
  ready.Ready = true;
  TacParentCache notReady;
  notReady.FillColor = TColor{0x00ABCDEF};

  struct Case {
    const char* name;
    TacParentCache cache;
    bool fromParent;
    int cornerKind;
    std::uint32_t expected;
  };
  const std::uint32_t before = 0x22334455;
  const Case cases[] = {
      {"parent pixel, opaque", ready, true, 1, Px(parent, 3 + 7, 2 + 9) | 0xFF000000},
      {"no Ready cache: FillColor with alpha 0", notReady, true, 1, 0x00EFCDAB},
      {"flag not set: destination stays", ready, false, 1, before},
      {"CornerKind 0: destination stays", ready, true, 0, before},
  };
  for (const auto& c : cases) {
    e.CornerKind = static_cast<std::int16_t>(c.cornerKind);
    SkinBitmap d = Filled(12, 12, before);
    DrawBorderMask(d.View(), {3, 2, 11, 10}, c.cache, c.fromParent, 0, e, &tables);
    EXPECT_EQ(Px(d, 3, 2), c.expected) << c.name;
    EXPECT_EQ(Px(d, 4, 2) & 0x00FFFFFF, kStateColours[0] & 0x00FFFFFF) << c.name;
  }
}

TEST(StretchMaskedPiece, PaintsAOnePixelCentreAsOneColour) {
  struct Case {
    std::uint32_t mask;  // the mask pixel; its red channel counts
    std::uint32_t expected;
  };
  const Case cases[] = {
      {0x00000000, 0xFF204060},  // m = 0: the colour, opaque
      {0x00FF0000, 0x11111111},  // m = 255: nothing drawn
      {0x00800000, 0xFF182838},  // m = 128: (128·(D − C) + 256·C) >> 8 per channel
  };
  for (const auto& c : cases) {
    SkinBitmap src = Filled(1, 2, 0xFF204060);
    SetPx(src, 0, 1, c.mask);
    SkinBitmap d = Filled(5, 4, 0x11111111);
    StretchMaskedPiece(d.View(), {0, 0, 5, 4}, true, 1, ConstView(src), {0, 0, 1, 1});
    EXPECT_EQ(Px(d, 2, 2), c.expected) << std::hex << c.mask;
  }
}

TEST(StretchMaskedPiece, EveryPixelGoesThroughItsMaskOpaqueKeyColourIncluded) {
  // A 2 x 2 piece stretched to 4 x 4 (a plain stretch: every destination pixel repeats one
  // source pixel) over a grey 100 destination with alpha 0x22.
  SkinBitmap src = Filled(2, 4, 0);
  SetPx(src, 0, 0, 0x00FF00FF);  // key colour, mask 0: the key colour is painted
  SetPx(src, 1, 0, 0x00FF00FF);  // key colour, mask 128
  SetPx(src, 0, 1, 0x80C86432);  // mask 64
  SetPx(src, 1, 1, 0x80C86432);  // mask 255
  SetPx(src, 0, 2, 0x00000000);
  SetPx(src, 1, 2, 0x00808080);
  SetPx(src, 0, 3, 0x00404040);
  SetPx(src, 1, 3, 0x00FFFFFF);
  SkinBitmap d = Filled(4, 4, 0x22646464);
  StretchMaskedPiece(d.View(), {0, 0, 4, 4}, false, 2, ConstView(src), {0, 0, 2, 2});
  // Each channel (M·(D − S) + 256·S) >> 8 with D = 100:
  //   key, M 0: S.                         key, M 128: (128·(100 − 255) + 256·255) >> 8 = 177, green 50.
  //   M 64: red (64·(100 − 200) + 51200) >> 8 = 175, green 100, blue (64·50 + 12800) >> 8 = 62.
  //   M 255: red (255·(−100) + 51200) >> 8 = 100, green 100, blue (255·50 + 12800) >> 8 = 99.
  EXPECT_EQ(Px(d, 0, 0), 0xFFFF00FFu);
  EXPECT_EQ(Px(d, 3, 0), 0xFFB132B1u);
  EXPECT_EQ(Px(d, 0, 3), 0xFFAF643Eu);
  EXPECT_EQ(Px(d, 3, 3), 0xFF646463u);
}

TEST(StretchMaskedPiece, OnePixelThinCentresFallBackToAPlainStretch) {
  // A 1 x 4 centre would make the resampler refuse it on every paint.
  SkinBitmap src = Filled(1, 8, 0xFF336699);
  FillArea(src, 0, 4, 1, 8, 0x00000000);
  SkinBitmap d = Filled(20, 10, 0);
  EXPECT_NO_THROW(StretchMaskedPiece(d.View(), {0, 0, 20, 10}, true, 4, ConstView(src), {0, 0, 1, 4}));
  EXPECT_EQ(Px(d, 10, 5), 0xFF336699u);
}

TEST(StretchMaskedPiece, RefusesBadRectanglesWithoutTouchingMemoryOutside) {
  const SkinBitmap src = Random(6, 12, 3);
  struct Case {
    Rect dst, source;
  };
  const Case cases[] = {
      {{-1, 0, 5, 5}, {0, 0, 6, 6}},   // negative coordinate
      {{0, 0, 1, 1}, {0, 0, 6, 6}},    // 1 x 1 destination
      {{0, 0, 5, 5}, {0, 0, 6, 7}},    // its mask would leave the source
      {{0, 0, 5, 5}, {-1, 0, 6, 6}},   // source outside
      {{0, 0, 5, 5}, {0, 0, 0, 6}},    // empty source
  };
  for (const auto& c : cases) {
    SkinBitmap d = Filled(8, 8, 0x12345678);
    StretchMaskedPiece(d.View(), c.dst, false, 6, ConstView(src), c.source);
    EXPECT_EQ(d.pixels, Filled(8, 8, 0x12345678).pixels);
  }
  // A destination larger than the bitmap is clipped.
  SkinBitmap d = Filled(4, 4, 0);
  StretchMaskedPiece(d.View(), {1, 1, 40, 40}, true, 6, ConstView(src), {0, 0, 6, 6});
  EXPECT_EQ(Px(d, 0, 0), 0u);
  EXPECT_EQ(Px(d, 3, 3) >> 24, 0xFFu);
}

TEST(BlitMaskedPiece, ClipsNegativeOriginsOnBothSides) {
  const SkinBitmap src = Random(8, 16, 11);
  SkinBitmap d = Filled(6, 6, 0);
  BlitMaskedPiece(d.View(), {-3, -2}, {0, 0, 8, 8}, 8, false, {}, ConstView(src));
  BlitMaskedPiece(d.View(), {4, 4}, {-5, -5, 8, 8}, 8, false, {}, ConstView(src));
  BlitMaskedPiece(d.View(), {0, 0}, {6, 6, 20, 20}, 8, true, {}, ConstView(src));  // mask rows kept inside
  // The first blit drew source (3, 2) at (0, 0) through mask pixel (3, 10).
  SkinBitmap e = Filled(6, 6, 0);
  BlitMaskedPiece(e.View(), {-3, -2}, {0, 0, 8, 8}, 8, false, {}, ConstView(src));
  std::uint32_t expected = 0;
  const std::uint32_t image = Px(src, 3, 2), mask = Px(src, 3, 10);
  blend_scalar::MaskedRow(&expected, &image, &mask, 1, {});
  EXPECT_EQ(Px(e, 0, 0), expected);
}

TEST(BlitKeyedPiece, FollowsTheCacheForKeyPixels) {
  SkinBitmap src = Filled(2, 1, 0x00FF00FF);
  SetPx(src, 1, 0, 0x80102030);
  const SkinBitmap parent = Filled(4, 4, 0x7F999999);
  TacParentCache ready;
  ready.Image = ConstView(parent);
  ready.Ready = true;
  TacParentCache notReady;
  notReady.FillColor = TColor{0x0000FF};
  const std::uint32_t before = 0x44444444;
  struct Case {
    const char* name;
    TacParentCache cache;
    bool corner;
    bool onItself;
    std::uint32_t key, copied;
  };
  const Case cases[] = {
      {"corner, Ready: parent pixel", ready, true, false, 0x7F999999, 0x80102030},
      {"Ready, no corner: skipped", ready, false, false, before, 0x80102030},
      {"no Ready cache: FillColor, alpha 0", notReady, true, false, 0x00FF0000, 0x80102030},
      {"cache on the destination: skipped, copies opaque", ready, true, true, before, 0xFF102030},
  };
  for (const auto& c : cases) {
    SkinBitmap d = Filled(4, 4, before);
    TacParentCache cache = c.cache;
    if (c.onItself) cache.Image = d.View();
    BlitKeyedPiece(d.View(), ConstView(src), 1, 1, c.corner, cache, kKeyColor, {0, 0, 2, 1});
    EXPECT_EQ(Px(d, 1, 1), c.key) << c.name;
    EXPECT_EQ(Px(d, 2, 1), c.copied) << c.name;
  }
}

}  // namespace

}  // namespace klarvik
