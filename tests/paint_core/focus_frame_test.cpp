// The dotted focus frame: its pattern worked out by hand, the colour that is not drawn,
// and nothing past its own rectangle or the bitmap.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/pixel.h"
#include "paint/primitives/focus_frame.h"

namespace klarvik {

namespace {

constexpr TColor kFirst = RgbColor(0xAA, 0, 0), kSecond = RgbColor(0, 0xBB, 0);

// The bitmap as rows of characters: "a" first colour, "b" second, "." untouched.
std::vector<std::string> Framed(int width, int height, const Rect& rect, TColor first = kFirst, TColor second = kSecond) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0x01020304);
  DrawDottedFocusRect(PixelView{width, height, width, pixels.data()}, rect, first, second);
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
      row += p == ColorToPixel(kFirst, 255) ? 'a' : p == ColorToPixel(kSecond, 255) ? 'b' : p == 0x01020304 ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(DottedFocusRect, AlternatesAlongEachEdgeAndStaysInItsRectangle) {
  // A 6 x 4 frame: the last dot of each even side would fall one pixel outside.
  EXPECT_EQ(Framed(8, 6, {1, 1, 7, 5}), (std::vector<std::string>{
                                             "........",
                                             "..ababa.",
                                             ".a....a.",
                                             ".b....b.",
                                             ".aababa.",
                                             "........",
                                         }));
}

TEST(DottedFocusRect, LeavesUndrawnColoursBitmapEdgesAndEmptyRectanglesAlone) {
  EXPECT_EQ(Framed(8, 6, {1, 1, 7, 5}, kNoFocusColor, kSecond), (std::vector<std::string>{
                                                                    "........",
                                                                    "...b.b..",
                                                                    "........",
                                                                    ".b....b.",
                                                                    "...b.b..",
                                                                    "........",
                                                                }));
  EXPECT_EQ(Framed(4, 3, {-3, -3, 9, 9}), (std::vector<std::string>(3, "....")));  // every edge off the bitmap
  EXPECT_EQ(Framed(4, 3, {2, 1, 2, 3}), (std::vector<std::string>(3, "....")));
}

}  // namespace

}  // namespace klarvik
