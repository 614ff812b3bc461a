// Hue, saturation and resampling do their arithmetic in double precision. The hash of
// every result is written below and must come out the same natively, in the 32-bit and in
// the 64-bit Windows build: all of them do that arithmetic in SSE2 registers.
#include <cstdint>

#include <gtest/gtest.h>

#include "base/colors.h"
#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/resample.h"
#include "tests/paint_core/paint_test_support.h"

namespace klarvik {

namespace {

using namespace paint_test;

std::uint32_t HueFilter(std::uint32_t pixel, int degrees) { return ChangeHue(pixel, degrees); }
std::uint32_t SaturationFilter(std::uint32_t pixel, int percent) { return ChangeSaturation(pixel, percent); }

struct FilterCase {
  const char* name;
  PixelFilter filter;
  int value;
  std::uint64_t hash;
};

TEST(GoldenFilters, HueAndSaturationHashTheSameInEveryBuild) {
  const FilterCase cases[] = {
      {"hue -45", HueFilter, -45, 0x59303c4ae8c42551ull},
      {"hue 90", HueFilter, 90, 0xae6e5593653b9a4eull},
      {"hue 200", HueFilter, 200, 0xf3b20d320187f8a1ull},
      {"hue 719", HueFilter, 719, 0x1c2744ad09d82da9ull},
      {"saturation -100", SaturationFilter, -100, 0x56cab103cbb9d975ull},
      {"saturation -30", SaturationFilter, -30, 0x04716654a4aa4dccull},
      {"saturation 45", SaturationFilter, 45, 0xec5e69c4b9fb354eull},
      {"saturation 200", SaturationFilter, 200, 0x1aa269fb1243d2a6ull},
  };
  for (const FilterCase& c : cases) {
    SkinBitmap b = Random(64, 64, 21);
    ApplyPixelFilter(b.View(), c.filter, c.value, clNone);
    const std::uint64_t h = Hash(b);
    EXPECT_EQ(h, c.hash) << c.name << ": 0x" << std::hex << h;
  }
}

TEST(GoldenFilters, ResamplingHashesTheSameInEveryBuild) {
  struct Case {
    const char* name;
    int width, height;
    ResampleFilter filter;
    std::uint64_t hash;
  } cases[] = {
      {"Mitchell, shrink and stretch", 50, 17, ResampleFilter::kMitchell, 0x2399e3666def335eull},
      {"Mitchell, stretch and shrink", 11, 40, ResampleFilter::kMitchell, 0x768534bcf63f6562ull},
      {"Mitchell, twice the size", 74, 46, ResampleFilter::kMitchell, 0x38ce4a1a1e06e152ull},
      {"Mitchell, a third of the size", 12, 7, ResampleFilter::kMitchell, 0xce01979d5164ecb3ull},
  };
  const SkinBitmap source = Random(37, 23, 8);
  for (const Case& c : cases) {
    SkinBitmap out;
    ResampleBitmap(ConstView(source), out, c.width, c.height, c.filter);
    const std::uint64_t h = Hash(out);
    EXPECT_EQ(h, c.hash) << c.name << ": 0x" << std::hex << h;
  }
}

}  // namespace

}  // namespace klarvik
