#include "base/colors.h"
#include "paint/primitives/blend.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "tests/paint_core/paint_test_support.h"

namespace klarvik {

namespace {

// The formulas written out in 64-bit arithmetic with floor division, independent of the
// shifts the painter uses.
long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

TEST(BlendFormulas, MatchTheirDefinitionsForEveryEightBitInput) {
  for (int d = 0; d < 256; ++d) {
    for (int s = 0; s < 256; ++s) {
      for (int k = 0; k < 256; ++k) {
        const long long keep = FloorDiv(static_cast<long long>(k) * (d - s) + 256LL * s, 256);
        ASSERT_EQ(KeepChannel(d, s, k), keep) << d << " " << s << " " << k;
        ASSERT_GE(keep, 0);
        ASSERT_LE(keep, 255);
        const long long over = FloorDiv(static_cast<long long>(s - d) * k + 256LL * d, 256);
        ASSERT_EQ(OverChannel(d, s, k), over) << d << " " << s << " " << k;
      }
    }
  }
}

TEST(BlendFormulas, AlphaOverGrowsTheDestinationAlphaOnlyForVisibleSources) {
  for (int da = 0; da < 256; ++da) {
    for (int a = 0; a < 256; ++a) {
      const long long expected = a == 0 ? da : da + FloorDiv(static_cast<long long>(a) * (255 - da), 255);
      ASSERT_EQ(OverAlpha(da, a), expected) << da << " " << a;
    }
  }
}

TEST(BlendFormulas, ColourMixRoundsToNearest) {
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      for (double k : {0.0, 0.05, 0.3, 0.5, 0.77, 1.0}) {
        const double exact = k * a + (1 - k) * b;
        ASSERT_LE(std::abs(MixChannel(a, b, k) - exact), 0.5 + 1e-9) << a << " " << b << " " << k;
      }
    }
  }
  EXPECT_EQ(MixChannel(0, 255, 0.5), 128);  // 127.5 rounds up
}

// The keep and over rows of each fast path this processor can run.
struct FastRows {
  const char* name;
  void (*keep)(std::uint32_t*, const std::uint32_t*, int, int);
  void (*over)(std::uint32_t*, const std::uint32_t*, int);
};

std::vector<FastRows> AvailableFastRows() {
  std::vector<FastRows> rows;
  if (blend_sse2::Available()) rows.push_back({"SSE2", blend_sse2::KeepRow, blend_sse2::OverRow});
  if (blend_avx2::Available()) rows.push_back({"AVX2", blend_avx2::KeepRow, blend_avx2::OverRow});
  return rows;
}

TEST(BlendRows, FastPathsEqualTheScalarReferenceOnRandomRowsOfOddLengths) {
  if (!blend_sse2::Available()) GTEST_SKIP() << "no SSE2 on this processor";
  for (int length : {1, 3, 4, 5, 7, 17, 63, 1001}) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
      const SkinBitmap d0 = paint_test::Random(length, 1, seed);
      SkinBitmap s = paint_test::Random(length, 1, seed * 7 + 1);
      const SkinBitmap m = paint_test::Random(length, 1, seed * 13 + 5);
      // Some key pixels in the image, to exercise the holes.
      for (int i = 0; i < length; i += 3) s.pixels[i] = (s.pixels[i] & 0xFF000000) | 0x00FF00FF;
      const SkinBitmap parent = paint_test::Random(length, 1, seed * 31);
      const int k = static_cast<int>(seed * 13 % 256);

      for (const FastRows& fast : AvailableFastRows()) {
        auto a = d0.pixels, b = d0.pixels;
        blend_scalar::KeepRow(a.data(), s.pixels.data(), length, k);
        fast.keep(b.data(), s.pixels.data(), length, k);
        ASSERT_EQ(a, b) << fast.name << " keep, length " << length;

        a = b = d0.pixels;
        blend_scalar::OverRow(a.data(), s.pixels.data(), length);
        fast.over(b.data(), s.pixels.data(), length);
        ASSERT_EQ(a, b) << fast.name << " over, length " << length;
      }

      const MaskedRowHoles holes[] = {
          {},
          {parent.pixels.data(), false, 0, true},
          {nullptr, true, 0x00123456, false},
          {nullptr, false, 0, true},
          {parent.pixels.data(), true, 0x00123456, true, true}};
      for (const auto& h : holes) {
        auto a = d0.pixels, b = d0.pixels;
        blend_scalar::MaskedRow(a.data(), s.pixels.data(), m.pixels.data(), length, h);
        blend_sse2::MaskedRow(b.data(), s.pixels.data(), m.pixels.data(), length, h);
        ASSERT_EQ(a, b) << "masked, length " << length;
      }
    }
  }
}

TEST(BlendRows, FastPathsEqualTheScalarReferenceForEveryChannelPairAndWeight) {
  if (!blend_sse2::Available()) GTEST_SKIP() << "no SSE2 on this processor";
  // 65536 pixels: destination channel bytes d, source bytes s, in every lane; k swept.
  std::vector<std::uint32_t> d(65536), s(65536), m(65536);
  for (std::uint32_t i = 0; i < 65536; ++i) {
    const std::uint32_t lo = i & 0xFF, hi = i >> 8;
    d[i] = lo * 0x01010101u;
    s[i] = hi * 0x01010101u;
    m[i] = ((i * 7) & 0xFF) * 0x01010101u;
  }
  for (const FastRows& fast : AvailableFastRows()) {
    for (int k = 0; k < 256; k += 5) {
      auto a = d, b = d;
      blend_scalar::KeepRow(a.data(), s.data(), 65536, k);
      fast.keep(b.data(), s.data(), 65536, k);
      ASSERT_EQ(a, b) << fast.name << " keep " << k;
    }
    auto a = d, b = d;
    blend_scalar::OverRow(a.data(), s.data(), 65536);
    fast.over(b.data(), s.data(), 65536);
    ASSERT_EQ(a, b) << fast.name << " over";
  }
  auto a = d, b = d;
  blend_scalar::MaskedRow(a.data(), s.data(), m.data(), 65536, {});
  blend_sse2::MaskedRow(b.data(), s.data(), m.data(), 65536, {});
  ASSERT_EQ(a, b);
}

TEST(BlendRows, MaskedRowTreatsKeyPixelsByTheHolesRule) {
  const std::uint32_t dst0 = 0x40102030, key = 0x00FF00FF, parent = 0x80AABBCC;
  struct Case {
    const char* name;
    MaskedRowHoles holes;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {"keeps the destination", {}, dst0},
      {"takes the parent, opaque", {&parent, false, 0, true}, 0xFFAABBCC},
      {"takes the fill colour", {nullptr, true, 0x00445566, false}, 0x00445566},
      // Mask 0 shows the image: the key colour itself, with the destination's alpha.
      {"blends like any pixel", {&parent, true, 0x00445566, false, true}, 0x40FF00FF},
  };
  for (const auto& c : cases) {
    std::uint32_t d = dst0;
    const std::uint32_t mask = 0;
    MaskedRow(&d, &key, &mask, 1, c.holes);
    EXPECT_EQ(d, c.expected) << c.name;
  }
  // Mask 0 shows the image fully, 255 leaves almost all of the background.
  std::uint32_t d = 0x40000000;
  const std::uint32_t image = 0x11FFFFFF, fullMask = 0x00000000, emptyMask = 0x00FFFFFF;
  MaskedRow(&d, &image, &fullMask, 1, {});
  EXPECT_EQ(d, 0x40FFFFFFu);
  d = 0x40000000;
  MaskedRow(&d, &image, &emptyMask, 1, {});
  EXPECT_EQ(d, 0x40000000u);
}

}  // namespace

}  // namespace klarvik
