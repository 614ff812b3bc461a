#include "paint/primitives/resample.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "paint/primitives/bitmap_ops.h"
#include "tests/paint_core/paint_test_support.h"

namespace klarvik {

namespace {

using paint_test::Filled;

constexpr ResampleFilter kAllFilters[] = {ResampleFilter::kBox,      ResampleFilter::kTriangle, ResampleFilter::kHermite,
                                          ResampleFilter::kBell,     ResampleFilter::kBSpline,  ResampleFilter::kLanczos3,
                                          ResampleFilter::kMitchell};

TEST(ResampleBitmap, SameSizeIsAnIdenticalCopy) {
  const SkinBitmap s = paint_test::Random(17, 9, 4);
  for (auto f : kAllFilters) {
    SkinBitmap d;
    ResampleBitmap(ConstView(s), d, 17, 9, f);
    EXPECT_EQ(d.pixels, s.pixels) << static_cast<int>(f);
  }
}

TEST(ResampleBitmap, RefusesTinySourcesAndIgnoresEmptyDestinations) {
  const SkinBitmap line = Filled(1, 5, 0);
  SkinBitmap d = Filled(2, 2, 7);
  try {
    ResampleBitmap(ConstView(line), d, 4, 4, ResampleFilter::kMitchell);
    FAIL() << "a 1-pixel-wide source was resampled";
  } catch (const EResampleError& e) {
    EXPECT_STREQ(e.what(), "Source bitmap is too small");
  }
  const SkinBitmap s = paint_test::Random(5, 5, 1);
  for (auto size : {Point{0, 4}, Point{4, 0}, Point{-3, 4}}) {
    ResampleBitmap(ConstView(s), d, size.x, size.y, ResampleFilter::kMitchell);
    EXPECT_EQ(d.width, 2);
    EXPECT_EQ(d.pixels, std::vector<std::uint32_t>(4, 7));
  }
}

// Wide filters over tiny sources mirror past both ends; the index must stay inside.
TEST(ResampleAxis, EveryContributorLiesInsideTheSource) {
  for (auto f : kAllFilters) {
    for (int source = 2; source <= 6; ++source) {
      for (int dest : {1, 2, 3, 7, 40}) {
        const ResampleAxis axis = MakeResampleAxis(source, dest, f);
        ASSERT_EQ(axis.start.size(), static_cast<std::size_t>(dest) + 1);
        for (int i : axis.index) {
          ASSERT_GE(i, 0);
          ASSERT_LT(i, source) << static_cast<int>(f) << " " << source << " to " << dest;
        }
      }
    }
  }
}

TEST(ResampleBitmap, KeepsAFlatColourFlatWhereTheWeightsAddUpToOne) {
  // Triangle weights add up to exactly 1 inside the picture, so a flat colour stays.
  const SkinBitmap s = Filled(8, 8, 0x80402010);
  SkinBitmap d;
  ResampleBitmap(ConstView(s), d, 16, 16, ResampleFilter::kTriangle);
  for (int y = 2; y < 14; ++y) {
    for (int x = 2; x < 14; ++x) {
      const std::uint32_t p = paint_test::Px(d, x, y);
      for (int shift = 0; shift < 32; shift += 8) {
        EXPECT_NEAR(static_cast<int>((p >> shift) & 0xFF), static_cast<int>((0x80402010u >> shift) & 0xFF), 1);
      }
    }
  }
}

TEST(ResampleBitmap, FastPathEqualsTheScalarReferenceOnOddSizes) {
  if (!resample_sse2::Available()) GTEST_SKIP() << "no SSE2 on this processor";
  struct Case {
    int sw, sh, dw, dh;
  };
  const Case cases[] = {{2, 2, 1, 1}, {3, 2, 7, 5}, {17, 13, 5, 3}, {31, 9, 64, 27}, {64, 64, 37, 101}, {5, 97, 13, 11}};
  for (const auto& c : cases) {
    const SkinBitmap s = paint_test::Random(c.sw, c.sh, static_cast<std::uint32_t>(c.sw * 131 + c.dh));
    for (auto f : kAllFilters) {
      const ResampleAxis columns = MakeResampleAxis(c.sw, c.dw, f);
      const ResampleAxis rows = MakeResampleAxis(c.sh, c.dh, f);
      SkinBitmap a = Filled(c.dw, c.dh, 0), b = Filled(c.dw, c.dh, 0);
      resample_scalar::Resample(ConstView(s), a.View(), columns, rows);
      resample_sse2::Resample(ConstView(s), b.View(), columns, rows);
      ASSERT_EQ(a.pixels, b.pixels) << c.sw << "x" << c.sh << " to " << c.dw << "x" << c.dh << " filter " << static_cast<int>(f);
    }
  }
}

TEST(ResampleBitmap, ClampsOvershootOfNegativeLobes) {
  // A hard black/white edge under Lanczos 3 overshoots both ways: the sums are clamped,
  // not wrapped.
  SkinBitmap s = Filled(8, 2, 0xFF000000);
  for (int y = 0; y < 2; ++y) {
    for (int x = 4; x < 8; ++x) s.pixels[static_cast<std::size_t>(y) * 8 + x] = 0xFFFFFFFF;
  }
  SkinBitmap d;
  ResampleBitmap(ConstView(s), d, 29, 2, ResampleFilter::kLanczos3);
  // Far from the edge the colours stay near black and near white: no wrapped values.
  EXPECT_LE(paint_test::Px(d, 3, 0) & 0xFF, 8u);
  EXPECT_GE(paint_test::Px(d, 25, 0) & 0xFF, 247u);
}

}  // namespace

}  // namespace klarvik
