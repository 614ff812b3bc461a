#include "paint/primitives/alpha_image.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "paint/primitives/bitmap_ops.h"
#include "tests/paint_core/paint_test_support.h"

namespace klarvik {

namespace {

using paint_test::Filled;
using paint_test::Px;

TEST(CopyAlphaImage, BlendsWithTheSourceAlphaScaledByTheTransparency) {
  struct Case {
    std::uint32_t source;
    int transparency;
    std::uint32_t expected;  // over a destination 0x00000000
  };
  const Case cases[] = {
      {0xFFC8C8C8, 0, 0xFFC7C7C7},    // (200·255) >> 8 = 199
      {0x80C8C8C8, 0, 0x80646464},    // alpha 128: 100, alpha grows to 128
      {0xFFC8C8C8, 100, 0x00000000},  // fully transparent: nothing changes
      {0xFFC8C8C8, 50, 0x7F636363},   // alpha 127: 99, alpha 127
      {0x00C8C8C8, 0, 0x00000000},
  };
  for (const auto& c : cases) {
    SkinBitmap d = Filled(2, 2, 0);
    const SkinBitmap s = Filled(2, 2, c.source);
    AlphaImageOptions o;
    o.transparency = c.transparency;
    CopyAlphaImage({0, 0, 2, 2}, {0, 0, 2, 2}, d.View(), o, ConstView(s));
    EXPECT_EQ(Px(d, 1, 1), c.expected) << std::hex << c.source << " " << std::dec << c.transparency;
  }
}

TEST(CopyAlphaImage, SkipsKeyPixelsOrTakesTheParentUnderThem) {
  const SkinBitmap parent = paint_test::Random(6, 6, 9);
  SkinBitmap s = Filled(2, 1, 0xFFFF00FF);
  s.pixels[1] = 0xFF010203;
  AlphaImageOptions o;
  o.key = kKeyColor;
  SkinBitmap d = Filled(3, 3, 0x55555555);
  CopyAlphaImage({1, 1, 3, 2}, {0, 0, 2, 1}, d.View(), o, ConstView(s));
  EXPECT_EQ(Px(d, 1, 1), 0x55555555u);
  EXPECT_EQ(Px(d, 2, 1), 0xFF010203u);

  o.useParent = true;
  o.parent.Image = ConstView(parent);
  o.parent.Ready = true;
  o.parent.OffsetX = 2;
  o.parent.OffsetY = 3;
  CopyAlphaImage({1, 1, 3, 2}, {0, 0, 2, 1}, d.View(), o, ConstView(s));
  EXPECT_EQ(Px(d, 1, 1), Px(parent, 3, 4));
}

TEST(CopyAlphaImage, ClipsBothBitmaps) {
  const SkinBitmap s = Filled(4, 4, 0xFF112233);
  SkinBitmap d = Filled(3, 3, 0);
  CopyAlphaImage({-2, -2, 2, 2}, {0, 0, 4, 4}, d.View(), {}, ConstView(s));
  CopyAlphaImage({2, 2, 9, 9}, {0, 0, 4, 4}, d.View(), {}, ConstView(s));
  // A negative source origin moves the destination along: (−3, −3) lands at (5, 5), outside.
  CopyAlphaImage({0, 0, 9, 9}, {-3, -3, 9, 9}, d.View(), {}, ConstView(s));
  int drawn = 0;
  for (auto p : d.pixels) drawn += p != 0;
  EXPECT_EQ(drawn, 5);  // the 2 x 2 top-left block and the bottom-right pixel
}

TEST(CopyAlphaImage, ReflectionFadesDownwardAndStopsAtTheBitmapEdge) {
  SkinBitmap s = Filled(1, 8, 0xFFFFFFFF);
  SkinBitmap d = Filled(1, 20, 0);
  AlphaImageOptions o;
  o.reflected = true;
  CopyAlphaImage({0, 0, 1, 8}, {0, 0, 1, 8}, d.View(), o, ConstView(s));
  // Four mirror rows below the image (half its height); each paler than the one above,
  // the last fully faded.
  for (int y = 8; y < 11; ++y) EXPECT_GT(Px(d, 0, y) & 0xFF, Px(d, 0, y + 1) & 0xFF) << y;
  EXPECT_GT(Px(d, 0, 8) & 0xFF, 0u);
  EXPECT_EQ(Px(d, 0, 11), 0u);
  EXPECT_EQ(Px(d, 0, 12), 0u);

  // Only two rows fit below a 2-pixel-high image placed near the bottom: no overrun.
  SkinBitmap tight = Filled(1, 9, 0);
  CopyAlphaImage({0, 1, 1, 9}, {0, 0, 1, 8}, tight.View(), o, ConstView(s));
  // A 1-pixel-high source has no mirror rows and must not divide by zero.
  SkinBitmap one = Filled(1, 1, 0xFF808080);
  SkinBitmap below = Filled(1, 3, 0);
  CopyAlphaImage({0, 0, 1, 1}, {0, 0, 1, 1}, below.View(), o, ConstView(one));
  EXPECT_EQ(Px(below, 0, 1), 0u);
}

}  // namespace

}  // namespace klarvik
