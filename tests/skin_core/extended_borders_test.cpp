// The images and margins of extended borders: the skin's "EXBORDER" picture or the
// built-in shadows, the margins by border mode and form offset, never below 0.
#include "skin/definition/extended_borders.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/skin_core/definition_fixture.h"

namespace klarvik {
namespace {

using namespace definition_fixture;

SkinBitmap Filled(int size, std::uint32_t pixel) {
  SkinBitmap bitmap;
  bitmap.width = bitmap.height = size;
  bitmap.pixels.assign(static_cast<std::size_t>(size) * size, pixel);
  return bitmap;
}

// A two-state border picture, 2 x 60 by 100: the inactive look in one colour, the active
// in another.
MemoryFiles ExBorderFiles() {
  MemoryFiles files;
  files.Add("ExBord.png", RgbaPng(120, 100, [](int x, int) { return x < 60 ? 0x80102030u : 0xFF405060u; }));
  return files;
}

std::string Definition(int formOffset, int borderMode) {
  return "[GLOBALINFO]\nVERSION=8.40\nFORMOFFSET=" + std::to_string(formOffset) +
         "\nBORDERMODE=" + std::to_string(borderMode) + "\nEXBORDER=!EXBORD.PNG!2!0!3!0028!0050!0028!0028!1\n";
}

TEST(ExtendedBorders, MarginsFollowTheBorderModeAndNeverGoBelowZero) {
  struct Case {
    const char* name;
    int formOffset;
    int borderMode;
    int left, top, right, bottom;
  };
  const Case cases[] = {
      {"border mode 1: the form offset all round", 20, 1, 20, 20, 20, 20},
      {"border mode 0: the picture's borders less the offset", 20, 0, 8, 30, 8, 8},
      {"an offset larger than the borders", 40, 0, 0, 10, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TsSkinTables tables = Load(Definition(c.formOffset, c.borderMode), ExBorderFiles());
    const ExtendedBorderImages borders = ComputeExtendedBorders(tables, {}, {});
    EXPECT_EQ(borders.left, c.left);
    EXPECT_EQ(borders.top, c.top);
    EXPECT_EQ(borders.right, c.right);
    EXPECT_EQ(borders.bottom, c.bottom);
    ASSERT_EQ(borders.active.width, 60);
    ASSERT_EQ(borders.inactive.width, 60);
    EXPECT_NE(borders.active.pixels[0], borders.inactive.pixels[0]) << "the active look is the second state image";
    EXPECT_EQ(borders.active.pixels[0] >> 24, 0xFFu);
  }
}

TEST(ExtendedBorders, ASkinWithoutItsOwnTakesTheBuiltInShadows) {
  const SkinBitmap active = Filled(33, 0x78000000), inactive = Filled(33, 0x46000000);
  const ExtendedBorderImages borders = ComputeExtendedBorders(Load("[GLOBALINFO]\nVERSION=8.40\n"), active, inactive);
  EXPECT_EQ(borders.left, 9);
  EXPECT_EQ(borders.top, 9);
  EXPECT_EQ(borders.right, 9);
  EXPECT_EQ(borders.bottom, 9);
  EXPECT_EQ(borders.active.pixels, active.pixels);
  EXPECT_EQ(borders.inactive.pixels, inactive.pixels);
}

}  // namespace
}  // namespace klarvik
