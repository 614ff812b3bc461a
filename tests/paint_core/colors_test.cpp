#include "base/colors.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "base/pixel.h"

namespace klarvik {

namespace {

TColor HueOfColor(TColor color, int degrees) { return PixelToColor(ChangeHue(ColorToPixel(color, 0), degrees)); }

TEST(ChangeHue, TurnsPureColoursBetweenThePrimaries) {
  struct Case {
    TColor color;
    int degrees;
    TColor expected;
  };
  const Case cases[] = {
      {TColor{0x0000FF}, 120, TColor{0x00FF00}},   // red to green
      {TColor{0x0000FF}, 240, TColor{0xFF0000}},   // red to blue
      {TColor{0x0000FF}, -120, TColor{0xFF0000}},  // a negative turn goes the other way: red to blue
      {TColor{0x0000FF}, -480, TColor{0xFF0000}},  // more than a whole turn back
      {TColor{0x00FF00}, 480, TColor{0xFF0000}},   // more than a whole turn forward: green to blue
      {TColor{0x0000FF}, 60, TColor{0x00FFFF}},    // red to yellow
      {TColor{0x0000FF}, 0, TColor{0x0000FF}},
      {TColor{0x0000FF}, 360, TColor{0x0000FF}},
  };
  for (const auto& c : cases) EXPECT_EQ(HueOfColor(c.color, c.degrees), c.expected) << c.color << " by " << c.degrees;
}

TEST(ChangeHue, LeavesGreyBlackAndTheHighByteAlone) {
  for (std::uint32_t grey : {0x00000000u, 0x00808080u, 0x00FFFFFFu, 0x00202020u}) {
    EXPECT_EQ(ChangeHue(grey | 0x7F000000, 77), grey | 0x7F000000);
  }
  EXPECT_EQ(ChangeHue(0xAB0000FF, 120) >> 24, 0xABu);
}

TEST(ChangeHue, KeepsValueAndSaturationOfMixedColours) {
  // A turn and the opposite turn come back to the colour within rounding.
  const std::uint32_t pixel = 0x00C04020;
  const std::uint32_t back = ChangeHue(ChangeHue(pixel, 50), -50);
  for (int shift = 0; shift < 24; shift += 8) {
    EXPECT_NEAR(static_cast<int>((back >> shift) & 0xFF), static_cast<int>((pixel >> shift) & 0xFF), 2);
  }
}

TEST(ChangeSaturation, MovesChannelsAwayFromOrTowardTheMean) {
  struct Case {
    std::uint32_t pixel;
    int percent;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {0x00808080, 100, 0x00808080},   // grey stays grey
      {0x00808080, -100, 0x00808080},
      {0x00FFFFFF, 50, 0x00FFFFFF},
      {0x11903010, 0, 0x11903010},     // 0 returns the colour unchanged
      {0x00903010, -100, 0x00454545},  // mean 69.33: every channel to the mean
      {0x00903010, 50, 0x00B52500},    // 144 + 37.3, 48 − 10.7, 16 − 26.7 clamped to 0
      {0xAA903010, 1000, 0xAAFF0000},  // clamped at both ends, high byte kept
  };
  for (const auto& c : cases) EXPECT_EQ(ChangeSaturation(c.pixel, c.percent), c.expected) << std::hex << c.pixel << " " << std::dec << c.percent;
}

TEST(MixColors, TakesTheHighByteFromTheFirstColour) {
  EXPECT_EQ(MixColors(static_cast<TColor>(0xFF0000FFu), TColor{0x00FF0000}, 0.5), static_cast<TColor>(0xFF800080u));
  EXPECT_EQ(MixColors(TColor{0x00102030}, TColor{0x00FFFFFF}, 1.0), TColor{0x00102030});
  EXPECT_EQ(MixColors(TColor{0x00102030}, TColor{0x00FFFFFF}, 0.0), TColor{0x00FFFFFF});
  EXPECT_EQ(MixColors(TColor{0x00000000}, TColor{0x00646464}, 0.05), TColor{0x005F5F5F});  // 95 % of 100
}

}  // namespace

}  // namespace klarvik
