#include "paint/primitives/bitmap_ops.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "tests/paint_core/paint_test_support.h"

namespace klarvik {

namespace {

using paint_test::Filled;
using paint_test::Px;

int CountPixels(const SkinBitmap& b, std::uint32_t value) {
  int n = 0;
  for (auto p : b.pixels) n += p == value;
  return n;
}

TEST(RectangleHelpers, ClipEveryRectangleToTheBitmap) {
  struct Case {
    Rect rect;
    int inside;  // pixels of a 10 x 8 bitmap the rectangle covers
  };
  const Case cases[] = {
      {{2, 2, 5, 4}, 6}, {{-5, -5, 3, 2}, 6}, {{8, 6, 100, 100}, 4}, {{-100, -100, 100, 100}, 80},
      {{20, 20, 30, 30}, 0}, {{5, 5, 5, 9}, 0}, {{6, 6, 2, 2}, 0},
  };
  for (const auto& c : cases) {
    SkinBitmap b = Filled(10, 8, 0x01020304);
    FillRect32(b.View(), c.rect, TColor{0x00AABBCC}, 0x80);
    EXPECT_EQ(CountPixels(b, 0x80CCBBAA), c.inside) << "fill " << c.rect.left << "," << c.rect.top;

    b = Filled(10, 8, 0x01020304);
    SetRectAlpha(b.View(), c.rect, 0xFF, clNone);
    EXPECT_EQ(CountPixels(b, 0xFF020304), c.inside) << "alpha " << c.rect.left << "," << c.rect.top;

    b = Filled(10, 8, 0x01FFFFFF);
    FadeRectToColor(b.View(), c.rect, 0, TColor{0x000000});
    EXPECT_EQ(CountPixels(b, 0x01000000), c.inside) << "fade " << c.rect.left << "," << c.rect.top;
  }
}

TEST(RectangleHelpers, SetRectAlphaSkipsKeyPixels) {
  SkinBitmap b = Filled(3, 1, 0x00102030);
  b.pixels[1] = 0x00FF00FF;
  SetRectAlpha(b.View(), {0, 0, 3, 1}, 0xFF, kKeyColor);
  EXPECT_EQ(b.pixels, (std::vector<std::uint32_t>{0xFF102030, 0x00FF00FF, 0xFF102030}));
}

TEST(FadeRectToColor, KeepsThePercentOfTheDestinationRoundedToNearest) {
  SkinBitmap b = Filled(1, 1, 0x7F0A64C8);  // channels 10, 100, 200
  FadeRectToColor(b.View(), {0, 0, 1, 1}, 30, TColor{0x000000});  // colour black
  // 3, 30, 60; alpha untouched.
  EXPECT_EQ(Px(b, 0, 0), 0x7F031E3Cu);
  b = Filled(1, 1, 0x00010101);
  FadeRectToColor(b.View(), {0, 0, 1, 1}, 50, TColor{0x000000});  // 0.5 rounds up
  EXPECT_EQ(Px(b, 0, 0), 0x00010101u);
}

TEST(BlendBitmaps, NeedsEqualSizesAndKeepsAlpha) {
  SkinBitmap d = Filled(4, 3, 0x11C8C8C8);
  const SkinBitmap s = Filled(4, 3, 0x22000000);
  BlendBitmaps(d.View(), ConstView(s), 128);
  EXPECT_EQ(CountPixels(d, 0x11646464), 12);
  const SkinBitmap other = Filled(3, 3, 0);
  SkinBitmap e = Filled(4, 3, 0x11C8C8C8);
  BlendBitmaps(e.View(), ConstView(other), 0);
  EXPECT_EQ(CountPixels(e, 0x11C8C8C8), 12);
}

TEST(BlendBitmapRect, ClipsAgainstBothBitmapsAndShiftsNegativeOrigins) {
  struct Case {
    Point at;
    Rect source;
    int blended;
  };
  const Case cases[] = {
      {{0, 0}, {0, 0, 2, 2}, 4},    {{-1, -1}, {0, 0, 3, 3}, 4},  {{4, 4}, {0, 0, 3, 3}, 1},
      {{0, 0}, {-2, 0, 2, 1}, 2},   {{0, 0}, {2, 2, 9, 9}, 1},    {{9, 9}, {0, 0, 3, 3}, 0},
  };
  for (const auto& c : cases) {
    SkinBitmap d = Filled(5, 5, 0x00FFFFFF);
    const SkinBitmap s = Filled(3, 3, 0x00000000);
    BlendBitmapRect(d.View(), ConstView(s), 0, c.at, c.source);
    EXPECT_EQ(CountPixels(d, 0), c.blended) << c.at.x << "," << c.at.y;
  }
}

TEST(BlendKeyedImage, SkipsKeyPixelsAndMovesOthersTowardTheDestination) {
  SkinBitmap d = Filled(2, 1, 0x00000000);
  SkinBitmap s = Filled(2, 1, 0x00C8C8C8);
  s.pixels[1] = 0x00FF00FF;
  BlendKeyedImage(d.View(), 0, 0, kKeyColor, 0.5, {0, 0, 2, 1}, ConstView(s));
  EXPECT_EQ(d.pixels, (std::vector<std::uint32_t>{0x00646464, 0x00000000}));
}

TEST(StretchRect, RepeatsAndDropsWholePixels) {
  SkinBitmap s = Filled(2, 1, 0);
  s.pixels = {1, 2};
  SkinBitmap d = Filled(5, 2, 9);
  StretchRect(d.View(), {0, 0, 4, 2}, ConstView(s), {0, 0, 2, 1});
  EXPECT_EQ(d.pixels, (std::vector<std::uint32_t>{1, 1, 2, 2, 9, 1, 1, 2, 2, 9}));
  SkinBitmap shrink = Filled(1, 1, 0);
  const SkinBitmap wide = paint_test::Random(4, 4, 3);
  StretchRect(shrink.View(), {0, 0, 1, 1}, ConstView(wide), {0, 0, 4, 4});
  EXPECT_EQ(Px(shrink, 0, 0), Px(wide, 2, 2));
  // Partly outside the destination: only the inside part is written.
  SkinBitmap small = Filled(2, 2, 7);
  StretchRect(small.View(), {-2, -2, 4, 4}, ConstView(wide), {0, 0, 4, 4});
  EXPECT_EQ(CountPixels(small, 7), 0);
}

TEST(GrayscaleBitmap, UsesTheIntegerMeanAndSkipsTheKey) {
  SkinBitmap b = Filled(2, 1, 0x40010203);
  b.pixels[1] = 0x00FF00FF;
  GrayscaleBitmap(b.View(), kKeyColor);
  EXPECT_EQ(b.pixels, (std::vector<std::uint32_t>{0x40020202, 0x00FF00FF}));
  GrayscaleBitmap(b.View());
  EXPECT_EQ(b.pixels[1], 0x00AAAAAAu);
}

TEST(RotateBitmap90, SwapsTheSizeAndMovesPixelsByDirection) {
  SkinBitmap s = Filled(3, 2, 0);
  s.pixels = {1, 2, 3, 4, 5, 6};  // rows: 1 2 3 / 4 5 6
  const SkinBitmap cw = RotateBitmap90(ConstView(s), RotateDirection::kClockwise);
  ASSERT_EQ(cw.width, 2);
  ASSERT_EQ(cw.height, 3);
  EXPECT_EQ(cw.pixels, (std::vector<std::uint32_t>{4, 1, 5, 2, 6, 3}));
  const SkinBitmap ccw = RotateBitmap90(ConstView(s), RotateDirection::kCounterClockwise);
  EXPECT_EQ(ccw.pixels, (std::vector<std::uint32_t>{3, 6, 2, 5, 1, 4}));
  EXPECT_TRUE(RotateBitmap90(PixelView{}, RotateDirection::kClockwise).Empty());
}

TEST(ApplyPixelFilter, CallsTheFilterOnEveryPixelButTheKey) {
  SkinBitmap b = Filled(3, 1, 0x00000010);
  b.pixels[2] = 0x00FF00FF;
  ApplyPixelFilter(b.View(), [](std::uint32_t p, int v) { return p + static_cast<std::uint32_t>(v); }, 5, kKeyColor);
  EXPECT_EQ(b.pixels, (std::vector<std::uint32_t>{0x15, 0x15, 0x00FF00FF}));
  ApplyPixelFilter(b.View(), [](std::uint32_t, int) { return 0u; }, 0, clNone);
  EXPECT_EQ(CountPixels(b, 0), 3);
}

}  // namespace

}  // namespace klarvik
