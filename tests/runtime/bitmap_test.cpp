// The DIB section behind TBitmap: what the pixel view writes, GDI reads, and the other way round.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "runtime/graphics.h"

namespace klarvik {

namespace {

std::uint32_t Pattern(int x, int y) {
  return 0xFF000000u | static_cast<std::uint32_t>(x * 37 + 1) << 16 | static_cast<std::uint32_t>(y * 53 + 2) << 8 |
         static_cast<std::uint32_t>((x + y) * 11 + 3);
}

TEST(Bitmap, PixelViewWritesAreWhatGdiReads) {
  TBitmap bitmap(7, 5);  // odd width: no row padding in 32 bits
  const PixelView view = bitmap.Pixels();
  ASSERT_EQ(view.width, 7);
  ASSERT_EQ(view.height, 5);
  ASSERT_EQ(view.stride, 7);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) view.At(x, y) = Pattern(x, y);

  HDC dc = bitmap.Canvas().Handle();
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) {
      const std::uint32_t p = Pattern(x, y);
      EXPECT_EQ(GetPixel(dc, x, y), RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)) << x << "," << y;
    }
  }

  // Rows come back in the same top-down order and byte layout.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = 7;
  info.bmiHeader.biHeight = -5;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> copy(35);
  ASSERT_EQ(GetDIBits(dc, bitmap.Handle(), 0, 5, copy.data(), &info, DIB_RGB_COLORS), 5);
  EXPECT_EQ(std::memcmp(copy.data(), view.pixels, copy.size() * 4), 0);
}

TEST(Bitmap, GdiDrawingShowsInThePixelView) {
  TBitmap bitmap(6, 4);
  bitmap.Canvas().Brush().SetColor(RgbColor(10, 20, 30));
  bitmap.Canvas().FillRect(Rect{1, 1, 4, 3});
  const PixelView view = bitmap.Pixels();
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
      EXPECT_EQ(view.At(x, y) & 0xFFFFFF, inside ? 0x0A141Eu : 0u) << x << "," << y;
    }
  }
}

TEST(Bitmap, ResizingGivesAFreshBitmapThatTheCanvasDrawsOn) {
  TBitmap bitmap(4, 4);
  bitmap.Canvas().Brush().SetColor(clWhite);
  bitmap.Canvas().FillRect(Rect{0, 0, 4, 4});

  bitmap.SetSize(9, 3);
  PixelView view = bitmap.Pixels();
  ASSERT_EQ(view.width, 9);
  EXPECT_EQ(view.At(0, 0), 0u);
  bitmap.Canvas().FillRect(Rect{8, 2, 9, 3});
  view = bitmap.Pixels();
  EXPECT_EQ(view.At(8, 2) & 0xFFFFFF, 0xFFFFFFu);

  bitmap.SetSize(0, 0);
  EXPECT_TRUE(bitmap.Pixels().Empty());
}

}  // namespace

}  // namespace klarvik
