#include "paint/primitives/gradient.h"

#include <cstdint>
#include <cstdlib>

#include <gtest/gtest.h>

#include "paint/primitives/bitmap_ops.h"
#include "skin/definition/value_parsing.h"
#include "tests/paint_core/paint_test_support.h"

namespace klarvik {

namespace {

using namespace paint_test;

std::uint32_t Opaque(TColor color) { return ColorToPixel(color, 255); }

TEST(ParseGradient, MakesAStopOfEveryFiveNumbers) {
  EXPECT_EQ(ParseGradient("1;2;30;0;0;4;5").size(), 1u);  // 7 numbers: the incomplete group is dropped
  EXPECT_TRUE(ParseGradient("").empty());
  const TsGradArray g = ParseGradient("-5;7;150;1;9");
  ASSERT_EQ(g.size(), 1u);
  EXPECT_EQ(g[0].Color1, TColor{0});  // negative colours become 0
  EXPECT_EQ(g[0].Percent, 100);
  EXPECT_EQ(g[0].Mode, 1);
}

// With an offset the stops begin that far along the axis; the rows (or columns) before
// it keep what was there, and the first stop's first colour is at the offset.
TEST(PaintGradient, AnOffsetLeavesWhatLiesBeforeItAsItIs) {
  constexpr std::uint32_t kBefore = 0xFF123456;
  struct Case {
    const char* name;
    const char* data;
    int offset;
  };
  const Case cases[] = {
      {"vertical", "255;16711680;50;0;0;16711680;65280;50;0;0", 4},
      {"horizontal", "255;16711680;50;1;0;16711680;65280;50;1;0", 4},
      {"offset past the end", "255;16711680;100;0;0", 12},
      {"negative offset paints all", "255;16711680;100;0;0", -3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TsGradArray g = ParseGradient(c.data);
    const bool byRows = DirectionOf(g) == kGradientVertical;
    SkinBitmap b = Filled(10, 10, kBefore);
    PaintGradient(b.View(), {0, 0, 10, 10}, g, c.offset);
    for (int along = 0; along < 10; ++along) {
      const std::uint32_t pixel = byRows ? Px(b, 3, along) : Px(b, along, 3);
      if (along < c.offset) {
        EXPECT_EQ(pixel, kBefore) << along;
      } else {
        EXPECT_NE(pixel, kBefore) << along;
        EXPECT_EQ(pixel >> 24, 0xFFu) << along;
      }
    }
    if (c.offset >= 0 && c.offset < 10) {
      EXPECT_EQ(byRows ? Px(b, 0, c.offset) : Px(b, c.offset, 0), Opaque(TColor{255}));
    }
  }
}

TEST(PaintGradient, VerticalStopsFollowTheirSharesAndTheLastRunsToTheBottom) {
  const TsGradArray g = ParseGradient("5658972;4606026;97;0;0;4606026;4606026;0;0;0");
  SkinBitmap b = Filled(2, 100, 0);
  PaintGradient(b.View(), {0, 0, 2, 100}, g);
  EXPECT_EQ(Px(b, 0, 0), Opaque(TColor{5658972}));
  // The first stop covers 97 rows, stepping from its first colour toward the second.
  for (int y = 1; y < 97; ++y) {
    for (int shift = 0; shift < 24; shift += 8) {
      EXPECT_LE((Px(b, 0, y) >> shift) & 0xFF, (Px(b, 0, y - 1) >> shift) & 0xFF) << y;
    }
  }
  // Half-way down the stop every channel lies strictly between the two colours.
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t mid = (Px(b, 1, 48) >> shift) & 0xFF;
    EXPECT_LT(mid, (Opaque(TColor{5658972}) >> shift) & 0xFF);
    EXPECT_GT(mid, (Opaque(TColor{4606026}) >> shift) & 0xFF);
  }
  for (int y = 97; y < 100; ++y) EXPECT_EQ(Px(b, 1, y), Opaque(TColor{4606026})) << y;
}

TEST(PaintGradient, GuardsEmptyStopsAndSharesBeyondTheArea) {
  struct Case {
    const char* name;
    const char* data;
    Rect rect;
    Point probe;
    TColor expected;
  };
  const Case cases[] = {
      {"a stop of 0 rows", "255;255;0;0;0;65280;65280;0;0;0", {0, 0, 4, 10}, {0, 0}, TColor{65280}},
      {"horizontal shares above 100, first stop", "255;255;80;1;0;65280;65280;80;1;0;16711680;16711680;80;1;0", {0, 0, 10, 3}, {7, 1}, TColor{255}},
      {"horizontal shares above 100, clipped at the row's end", "255;255;80;1;0;65280;65280;80;1;0;16711680;16711680;80;1;0", {0, 0, 10, 3}, {9, 2}, TColor{65280}},
      {"a direction outside 0..2 is vertical", "255;255;50;7;0;65280;65280;50;7;0", {0, 0, 10, 10}, {9, 9}, TColor{65280}},
      {"clipped to the bitmap", "255;255;50;0;0;65280;65280;50;0;0", {-5, -20, 40, 20}, {3, 19}, TColor{65280}},
  };
  for (const auto& c : cases) {
    SkinBitmap b = Filled(10, 20, 0);
    PaintGradient(b.View(), c.rect, ParseGradient(c.data));
    EXPECT_EQ(Px(b, c.probe.x, c.probe.y), Opaque(c.expected)) << c.name;
  }
  SkinBitmap untouched = Filled(4, 4, 0);
  PaintGradient(untouched.View(), {0, 0, 4, 4}, {});
  EXPECT_EQ(untouched.pixels, Filled(4, 4, 0).pixels);
}

TEST(PaintGradient, HorizontalRowsAreAllTheSame) {
  SkinBitmap b = Filled(37, 5, 0);
  PaintGradient(b.View(), {0, 0, 37, 5}, ParseGradient("255;16711680;60;1;0;16711680;65280;40;1;0"));
  for (int y = 1; y < 5; ++y) {
    for (int x = 0; x < 37; ++x) ASSERT_EQ(Px(b, x, y), Px(b, x, 0));
  }
  EXPECT_EQ(Px(b, 0, 0), Opaque(TColor{255}));
  EXPECT_EQ(Px(b, 22, 0), Opaque(TColor{16711680}));  // nearest(60 × 37 ÷ 100) = 22 columns for the first stop
}

TEST(PaintGradient, TrianglesInterpolateTheFiveVertices) {
  // Top-left red, centre green, top-right blue, bottom-right white, bottom-left black.
  SkinBitmap b = Filled(40, 40, 0);
  PaintGradient(b.View(), {0, 0, 40, 40},
                ParseGradient("255;0;0;2;0;65280;0;0;2;0;16711680;0;0;2;0;16777215;0;0;2;0;0;0;0;2;0"));
  auto near = [](std::uint32_t got, TColor color) {
    const std::uint32_t want = Opaque(color);
    for (int shift = 0; shift < 24; shift += 8) {
      if (std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)) > 12) return false;
    }
    return (got >> 24) == 0xFF;
  };
  EXPECT_TRUE(near(Px(b, 0, 0), TColor{255}));
  EXPECT_TRUE(near(Px(b, 39, 0), TColor{16711680}));
  EXPECT_TRUE(near(Px(b, 39, 39), TColor{16777215}));
  EXPECT_TRUE(near(Px(b, 0, 39), TColor{0}));
  EXPECT_TRUE(near(Px(b, 19, 19), TColor{65280}));
  for (auto p : b.pixels) ASSERT_EQ(p >> 24, 0xFFu);  // every pixel is covered

  // Missing stops repeat the previous colour: two stops fill all but the top-left.
  SkinBitmap two = Filled(40, 40, 0);
  PaintGradient(two.View(), {0, 0, 40, 40}, ParseGradient("255;0;0;2;0;65280;0;0;2;0"));
  EXPECT_EQ(Px(two, 39, 39), Opaque(TColor{65280}));
  EXPECT_EQ(Px(two, 0, 39), Opaque(TColor{65280}));
}

TEST(PaintGradientTexture, WeighsTextureAgainstGradientByTheTextureAlpha) {
  const TsGradArray g = ParseGradient("0;0;100;0;0");  // black
  SkinBitmap tex = Filled(3, 3, 0xFFC8C8C8);
  struct Case {
    int alpha;
    std::uint32_t expected;
  };
  const Case cases[] = {{0, 0xFF000000}, {128, 0xFF646464}, {255, 0xFFC7C7C7}};
  for (const auto& c : cases) {
    SkinBitmap b = Filled(7, 5, 0);
    PaintGradientTexture(b.View(), {0, 0, 7, 5}, g, c.alpha, {0, 0, 3, 3}, ConstView(tex));
    EXPECT_EQ(Px(b, 6, 4), c.expected) << c.alpha;
  }
}

}  // namespace

}  // namespace klarvik
