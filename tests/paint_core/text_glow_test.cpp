// The glow behind skinned text: the blur's kernel and its cut, the blur itself worked out
// by hand and its fast path against the reference, and the glow laid over a picture.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "paint/primitives/text_glow.h"

namespace klarvik {

namespace {

TEST(GlowKernel, IsCutWhereTheDroppedTailsFirstReachOneIn510) {
  EXPECT_TRUE(GlowKernel(0).empty());
  EXPECT_TRUE(GlowKernel(-3).empty());
  for (int radius : {1, 2, 4, 10, 40}) {
    SCOPED_TRACE(radius);
    const std::vector<double> kernel = GlowKernel(radius);
    ASSERT_EQ(kernel.size() % 2, 1u);
    const int half = static_cast<int>(kernel.size() / 2);
    double sum = 0;
    for (std::size_t i = 0; i < kernel.size(); ++i) {
      sum += kernel[i];
      EXPECT_DOUBLE_EQ(kernel[i], kernel[kernel.size() - 1 - i]);
    }
    EXPECT_NEAR(sum, 1.0, 1e-12);
    // The share of the full 201-tap Gaussian lying beyond a half-width.
    auto beyond = [radius](int h) {
      double all = 0, outside = 0;
      for (int i = -100; i <= 100; ++i) {
        const double w = std::exp(-std::pow(static_cast<double>(i) / radius, 2) / 2);
        all += w;
        if (std::abs(i) > h) outside += w;
      }
      return outside / all;
    };
    EXPECT_GE(beyond(half), 1.0 / 510);
    EXPECT_LT(beyond(half + 1), 1.0 / 510) << "one pair fewer would have been enough";
  }
  EXPECT_EQ(GlowKernel(1).size(), 5u);
}

TEST(GaussianBlur8, SpreadsADarkPixelAsWorkedOutByHand) {
  // Radius 1 keeps five taps: e^-2, e^-0.5, 1, e^-0.5, e^-2 over their sum. A single dark
  // pixel in a row of light ones becomes 255 * (1 - weight); the column pass of a mask one
  // pixel high takes the same pixel every time and changes nothing.
  GlowMask mask(5, 1, 255);
  mask.At(2, 0) = 0;
  GaussianBlur8(mask, 1);
  EXPECT_EQ(mask.values, (std::vector<std::uint8_t>{241, 193, 152, 193, 241}));
}

TEST(GaussianBlur8, LeavesMasksItCannotBlurOrNeedNotChange) {
  GlowMask text(7, 5, 255);
  text.At(3, 2) = 0;
  text.At(4, 2) = 40;
  GlowMask radiusZero = text;
  GaussianBlur8(radiusZero, 0);  // once a division by zero
  EXPECT_EQ(radiusZero.values, text.values);
  GlowMask uniform(9, 6, 90);
  GaussianBlur8(uniform, 3);  // edges repeat, so an even mask stays even
  EXPECT_EQ(uniform.values, std::vector<std::uint8_t>(9 * 6, 90));
  GlowMask empty;
  GaussianBlur8(empty, 3);
  EXPECT_TRUE(empty.values.empty());
}

TEST(GaussianBlur8, FastPathGivesTheScalarReferencesBytes) {
  if (!glow_blur_sse2::Available()) GTEST_SKIP() << "no SSE2 on this processor";
  // Lines of one and two values, sizes below the kernel's width and around the fast path's
  // blocks of eight, and a caption's mask.
  const Point sizes[] = {{1, 1}, {1, 2}, {2, 1}, {2, 2}, {1, 37}, {37, 1}, {3, 5}, {7, 9},
                         {8, 8}, {9, 16}, {17, 3}, {116, 36}};
  std::mt19937 rng(11);
  for (int radius = 1; radius <= 20; ++radius) {
    const std::vector<double> kernel = GlowKernel(radius);
    for (const Point size : sizes) {
      for (const bool textLike : {false, true}) {
        GlowMask reference(size.x, size.y, 255);
        for (std::uint8_t& v : reference.values) {
          v = textLike ? (rng() % 6 == 0 ? 0 : 255) : static_cast<std::uint8_t>(rng());
        }
        GlowMask fast = reference;
        glow_blur_scalar::Blur(reference, kernel);
        glow_blur_sse2::Blur(fast, kernel);
        ASSERT_EQ(fast.values, reference.values) << "radius " << radius << ", " << size.x << " x " << size.y
                                                 << (textLike ? ", text-like" : ", any bytes");
      }
    }
  }
}

TEST(ComposeGlow, ShadesTowardTheGlowColourByTheMask) {
  // Glow colour red 0x80, green 0, blue 0xFF over a pixel of red 0x20, green 0x40, blue 0x60.
  const TColor glow = RgbColor(0x80, 0x00, 0xFF);
  const struct {
    std::uint32_t pixel;
    std::uint8_t v;
    std::uint32_t expected;
  } cases[] = {
      {0xFF204060, 128, 0xFF5020B0},  // red 128 + (32 - 128) * 128 / 255 = 80, and so on
      {0x00204060, 128, 0x7F5020B0},  // alpha 0 + 127 * 255 / 255
      {0xFF204060, 0, 0xFF8000FF},    // under the text: the glow colour itself
      {0x12345678, 255, 0x12345678},  // no glow: untouched
  };
  for (const auto& c : cases) {
    std::vector<std::uint32_t> pixels(1, c.pixel);
    GlowMask mask(1, 1, c.v);
    ComposeGlow(PixelView{1, 1, 1, pixels.data()}, mask, Point{0, 0}, glow);
    EXPECT_EQ(pixels[0], c.expected) << std::hex << c.pixel << " v " << std::dec << int{c.v};
  }
}

TEST(ComposeGlow, TouchesOnlyTheTargetWhereTheMaskOverlapsIt) {
  const struct {
    Point origin;
    int glowing;  // target pixels the mask covers
  } cases[] = {{{0, 0}, 9}, {{-2, -2}, 1}, {{2, 2}, 1}, {{-5, 0}, 0}, {{3, 3}, 0}, {{1, -1}, 4}};
  for (const auto& c : cases) {
    std::vector<std::uint32_t> pixels(9, 0xFF000000);
    const GlowMask mask(3, 3, 0);
    ComposeGlow(PixelView{3, 3, 3, pixels.data()}, mask, c.origin, RgbColor(0xFF, 0xFF, 0xFF));
    int glowing = 0;
    for (std::uint32_t p : pixels) glowing += p == 0xFFFFFFFF ? 1 : 0;
    EXPECT_EQ(glowing, c.glowing) << c.origin.x << "," << c.origin.y;
  }
}

}  // namespace

}  // namespace klarvik
