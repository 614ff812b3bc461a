// The built-in shadows the program carries frame a skin without shadows of its own once
// extended borders are on.
#include <gtest/gtest.h>

#include "tests/app/front_end_fixture.h"

namespace klarvik::test {
namespace {

TEST_F(FrontEndTest, ExtendedBordersOfAStoredSkinUseTheBuiltInShadows) {
  TForm1* form = Open();
  TsSkinManager& manager = *form->sSkinManager1;
  manager.SetSkinName(L"Steam2 (internal)");
  manager.SetActive(true);
  manager.SetExtendedBorders(true);
  const ExtendedBorderImages& borders = manager.ExtendedBorderState();
  ASSERT_EQ(borders.active.width, 33);
  ASSERT_EQ(borders.inactive.height, 33);
  const auto alpha = [](const SkinBitmap& image, int x, int y) { return image.pixels[static_cast<std::size_t>(y) * 33 + x] >> 24; };
  EXPECT_GT(alpha(borders.active, 8, 16), alpha(borders.inactive, 8, 16));
  EXPECT_EQ(alpha(borders.active, 16, 16), 0u);
  EXPECT_EQ(borders.left, 9);
  manager.SetExtendedBorders(false);
  Free(form);
}

}  // namespace
}  // namespace klarvik::test
