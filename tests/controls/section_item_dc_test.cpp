#include "controls/section_item_dc.h"

#include <windows.h>

#include <cstdint>
#include <memory>

#include <gtest/gtest.h>

#include "paint/primitives/bitmap_ops.h"
#include "runtime/bitmap.h"
#include "win/handles.h"

namespace klarvik {

namespace {

// One section: a vertical gradient and a 1-pixel plain border from a 3 x 3 master.
TsSkinTables Skin() {
  TsSkinTables t;
  SkinBitmap master = CreateBitmap32(3, 3);
  for (auto& p : master.pixels) p = 0xFF102030;
  master.pixels[4] = 0xFFFFFFFF;
  t.MasterBitmap = std::make_shared<SkinBitmap>(std::move(master));
  TsMaskData border;
  border.SourceRect = {0, 0, 3, 3};
  border.BorderLeft = border.BorderTop = border.BorderRight = border.BorderBottom = 1;
  t.Masks.push_back(border);
  TsGeneralData s;
  s.SectionName = "PANEL";
  s.States = 1;
  s.BorderMaskIndex = 0;
  for (TsGenState& st : s.StateProps) {
    st.Color = TColor{0x0000FF};
    st.GradientPercent = 100;
    st.GradientArray = std::make_shared<TsGradArray>(TsGradArray{{TColor{0x00FF00}, TColor{0xFF0000}, 100, 0}});
  }
  t.Sections.push_back(s);
  return t;
}

// Paints through a memory DC holding a DIB section and reads its pixels back.
struct Canvas {
  TBitmap bitmap{40, 30};
  UniqueDc dc{CreateCompatibleDC(nullptr)};
};

TEST(PaintSectionItemToDC, CopiesThePaintedItemToTheContext) {
  const TsSkinTables skin = Skin();
  SectionPaint paint;
  paint.tables = &skin;
  paint.section = 0;

  Canvas canvas;
  ASSERT_TRUE(canvas.dc);
  {
    SelectScope select(canvas.dc.Get(), canvas.bitmap.Handle());
    PaintSectionItemToDC(canvas.dc.Get(), {5, 4, 25, 20}, paint, false);
  }
  SkinBitmap expected = CreateBitmap32(20, 16);
  PaintSectionItem(expected.View(), {0, 0, 20, 16}, paint, false);
  const PixelView got = canvas.bitmap.Pixels();
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 20; ++x) {
      // GDI copies the colour bytes; the alpha byte of a DIB may not survive the copy.
      ASSERT_EQ(got.At(x + 5, y + 4) & 0x00FFFFFF, expected.pixels[static_cast<std::size_t>(y) * 20 + x] & 0x00FFFFFF) << x << "," << y;
    }
  }
  EXPECT_EQ(got.At(4, 4), 0u);   // outside the rectangle nothing changed
  EXPECT_EQ(got.At(25, 19), 0u);
}

TEST(PaintSectionItemToDC, LeavesTheContextAloneForEmptyOrNegativeRectanglesAndMissingSections) {
  const TsSkinTables skin = Skin();
  const struct {
    Rect rect;
    int section;
  } cases[] = {
      {{-1, 0, 10, 10}, 0}, {{0, -3, 10, 10}, 0}, {{5, 5, 5, 10}, 0}, {{8, 8, 2, 2}, 0},
      {{2, 2, 20, 20}, -1}, {{2, 2, 20, 20}, 1},  // no such section in the skin
  };
  constexpr std::uint32_t kUntouched = 0x00ABCDEF;
  for (const auto& c : cases) {
    SectionPaint paint;
    paint.tables = &skin;
    paint.section = c.section;
    Canvas canvas;
    PixelView pixels = canvas.bitmap.Pixels();
    for (int y = 0; y < pixels.height; ++y) {
      for (int x = 0; x < pixels.width; ++x) pixels.At(x, y) = kUntouched;
    }
    {
      SelectScope select(canvas.dc.Get(), canvas.bitmap.Handle());
      PaintSectionItemToDC(canvas.dc.Get(), c.rect, paint, false);
    }
    for (int y = 0; y < pixels.height; ++y) {
      for (int x = 0; x < pixels.width; ++x) ASSERT_EQ(pixels.At(x, y), kUntouched) << c.rect.left << "," << c.rect.top << " section " << c.section;
    }
  }
}

}  // namespace

}  // namespace klarvik
