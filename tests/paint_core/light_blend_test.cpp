// The gauge's light laid through its mask: exact channels worked out by hand for each kind
// of mask value and light alpha, and only the part of the rectangle that lies in the
// destination, the light and the mask touched.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "paint/primitives/light_blend.h"

namespace klarvik {

namespace {

TEST(LightBlend, WeighsTheLightByTheMaskAndItsAlpha) {
  // In blue the light (100) is darker than the pixel (200), in green brighter (250 over
  // 10), in red the same (128); each row's channels are the formula worked through for
  // its m and a. The mask's other channels hold junk, the destination's alpha is 0x37.
  struct Case {
    int m, a;
    std::uint32_t blended;
  };
  const Case cases[] = {
      {0, 255, 0x3780F964},    // w = a = 255: green 249 (the m-formula's 254 would give 248)
      {0, 100, 0x378067A0},    // blue 160: floor, where rounding toward the pixel gives 161
      {0, 0, 0x37800AC8},      // no light
      {255, 255, 0x37800AC8},  // masked off
      {255, 100, 0x37800AC8},
      {128, 255, 0x37808096},  // w = (127·255) >> 8 = 126
      {128, 100, 0x378037B4},  // w = (127·100) >> 8 = 49
      {128, 0, 0x37800AC8},
      {1, 255, 0x3780F765},    // w = (254·255) >> 8 = 253
  };
  for (const Case& c : cases) {
    std::uint32_t pixel = 0x37800AC8, light = static_cast<std::uint32_t>(c.a) << 24 | 0x80FA64;
    std::uint32_t mask = 0x5A00A5A5 | static_cast<std::uint32_t>(c.m) << 16;
    BlendLightThroughMask({1, 1, 1, &pixel}, {1, 1, 1, &light}, {1, 1, 1, &mask}, {0, 0, 1, 1});
    EXPECT_EQ(pixel, c.blended) << std::hex << "m " << c.m << ", a " << c.a << ": 0x" << pixel;
  }
}

constexpr int kWidth = 5, kHeight = 3;
constexpr int kRing = 4;  // wide enough to take any stray pixel of the rectangles below
constexpr std::uint32_t kUntouched = 0x7F000000;

struct Picture {
  int width, height;
};

// Blends over a 5 x 3 destination that sits in a buffer with a ring of pixels round it (the
// ring must stay as it was) and shows it as cells: ".." untouched, else the light's row as
// a letter and its column as a digit. The light's pixel at (x, y) has blue x + 1 and green
// y + 1 with full alpha and red, so over black with mask 0 it leaves blue x, green y and
// red 254.
std::vector<std::string> Lit(const Rect& rect, Picture light = {4, 4}, Picture mask = {4, 4}) {
  constexpr int kStride = kWidth + 2 * kRing;
  std::vector<std::uint32_t> buffer(static_cast<std::size_t>(kStride) * (kHeight + 2 * kRing), kUntouched);
  const PixelView destination{kWidth, kHeight, kStride, buffer.data() + kRing * kStride + kRing};
  std::vector<std::uint32_t> lightPixels, maskPixels(static_cast<std::size_t>(mask.width) * mask.height, 0xFF00FFFF);
  for (int y = 0; y < light.height; ++y) {
    for (int x = 0; x < light.width; ++x) lightPixels.push_back(0xFFFF0000u | static_cast<std::uint32_t>(y + 1) << 8 | (x + 1));
  }
  BlendLightThroughMask(destination, {light.width, light.height, light.width, lightPixels.data()},
                        {mask.width, mask.height, mask.width, maskPixels.data()}, rect);
  std::vector<std::string> rows;
  for (int y = -kRing; y < kHeight + kRing; ++y) {
    std::string row, ring;
    for (int x = -kRing; x < kWidth + kRing; ++x) {
      const std::uint32_t p = buffer[static_cast<std::size_t>(y + kRing) * kStride + (x + kRing)];
      if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) {
        if (p != kUntouched) ring += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
        continue;
      }
      if (!row.empty()) row += ' ';
      if (p == kUntouched) row += "..";
      else if (p >> 16 == 0x7FFE && (p >> 8 & 0xFF) < 26 && (p & 0xFF) < 10) row += {static_cast<char>('a' + (p >> 8 & 0xFF)), static_cast<char>('0' + (p & 0xFF))};
      else row += "??";
    }
    if (!row.empty()) rows.push_back(row);
    if (!ring.empty()) rows.push_back("written outside:" + ring);
  }
  return rows;
}

using Rows = std::vector<std::string>;
const Rows kNothing(kHeight, ".. .. .. .. ..");

TEST(LightBlend, TouchesOnlyTheRectangleInsideTheDestination) {
  EXPECT_EQ(Lit({1, 1, 4, 3}), (Rows{".. .. .. .. ..", ".. a0 a1 a2 ..", ".. b0 b1 b2 .."}));
  EXPECT_EQ(Lit({-2, -1, 2, 2}), (Rows{"b2 b3 .. .. ..", "c2 c3 .. .. ..", ".. .. .. .. .."})) << "negative origin";
  EXPECT_EQ(Lit({3, 1, 7, 5}), (Rows{".. .. .. .. ..", ".. .. .. a0 a1", ".. .. .. b0 b1"})) << "past the right and bottom";
  EXPECT_EQ(Lit({-1, -1, 6, 4}, {7, 5}, {7, 5}), (Rows{"b1 b2 b3 b4 b5", "c1 c2 c3 c4 c5", "d1 d2 d3 d4 d5"})) << "over all of it";
}

TEST(LightBlend, TouchesNothingOutsideTheDestinationOrForAnEmptyRectangle) {
  constexpr int kFar = std::numeric_limits<int>::max();
  const Rect rects[] = {{5, 0, 8, 3}, {0, 3, 4, 6}, {-4, -4, 0, 0}, {-4, 0, -1, 3}, {2, 1, 2, 3}, {1, 1, 4, 1}, {3, 2, 1, 0},
                        {-kFar - 1, -kFar - 1, kFar, kFar}};  // covers the destination, but the light stays far off
  for (const Rect& r : rects) EXPECT_EQ(Lit(r), kNothing) << r.left << "," << r.top << " .. " << r.right << "," << r.bottom;
}

TEST(LightBlend, StaysInsideALightOrMaskSmallerThanTheRectangle) {
  EXPECT_EQ(Lit({0, 0, 5, 3}, {2, 2}, {5, 3}), (Rows{"a0 a1 .. .. ..", "b0 b1 .. .. ..", ".. .. .. .. .."})) << "small light";
  EXPECT_EQ(Lit({1, 0, 5, 3}, {4, 3}, {3, 1}), (Rows{".. a0 a1 a2 ..", ".. .. .. .. ..", ".. .. .. .. .."})) << "small mask";
  EXPECT_EQ(Lit({0, 0, 5, 3}, {0, 0}, {5, 3}), kNothing) << "no light";
}

}  // namespace

}  // namespace klarvik
