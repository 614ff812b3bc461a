#include <gtest/gtest.h>

#include <vector>

#include "skin/image/pixel_rules.h"

namespace klarvik {

namespace {

SkinBitmap Bitmap(int sourceBits, std::vector<std::uint32_t> pixels) {
  SkinBitmap b;
  b.width = static_cast<int>(pixels.size());
  b.height = 1;
  b.sourceBits = sourceBits;
  b.pixels = std::move(pixels);
  return b;
}

struct PixelCase {
  const char* name;
  std::uint32_t before;
  std::uint32_t after;
};

TEST(PixelRules, PremultiplyRoundsDownAndClearsTransparentWhite) {
  const std::vector<PixelCase> cases = {
      {"red 200 green 100 blue 0 alpha 128", 0x80C86400, 0x80643200},
      {"transparent white", 0x00FFFFFF, 0x00000000},
      {"opaque white: 255 x 255 / 256 is 254", 0xFFFFFFFF, 0xFFFEFEFE},
      {"alpha 0 clears the colour", 0x00123456, 0x00000000},
      {"key pixel", 0x00FF00FF, 0x00000000},
      {"alpha 1", 0x01FFFFFF, 0x01000000},
  };
  for (const PixelCase& c : cases) {
    SCOPED_TRACE(c.name);
    SkinBitmap b = Bitmap(32, {c.before});
    Premultiply(b.View());
    EXPECT_EQ(b.pixels[0], c.after);
  }
}

TEST(PixelRules, PremultiplyKeepsTheChannelsApartForEveryByteAndAlpha) {
  for (std::uint32_t alpha = 0; alpha < 256; ++alpha) {
    std::vector<std::uint32_t> row;
    for (std::uint32_t v = 0; v < 256; ++v) {
      row.push_back((alpha << 24) | (v << 16) | ((255 - v) << 8) | ((v * 7) & 0xFF));
    }
    SkinBitmap b = Bitmap(32, row);
    Premultiply(b.View());
    for (std::uint32_t v = 0; v < 256; ++v) {
      const std::uint32_t in = row[v];
      const std::uint32_t expected = in == 0x00FFFFFF
                                         ? 0
                                         : (alpha << 24) | ((v * alpha / 256) << 16) |
                                               (((255 - v) * alpha / 256) << 8) | (((v * 7) & 0xFF) * alpha / 256);
      ASSERT_EQ(b.pixels[v], expected) << std::hex << in;
    }
  }
}

TEST(PixelRules, TransparentWhiteClearsOnlyThatExactValue) {
  const std::vector<PixelCase> cases = {
      {"transparent white", 0x00FFFFFF, 0},
      {"opaque white", 0xFFFFFFFF, 0xFFFFFFFF},
      {"nearly white", 0x00FFFFFE, 0x00FFFFFE},
      {"half-transparent white", 0x80FFFFFF, 0x80FFFFFF},
  };
  for (const PixelCase& c : cases) {
    SCOPED_TRACE(c.name);
    SkinBitmap b = Bitmap(32, {c.before});
    ClearTransparentWhite(b.View());
    EXPECT_EQ(b.pixels[0], c.after);
  }
}

TEST(PixelRules, NormalisingGivesAlpha255ToAllButKeyPixelsOfSourcesBelow32Bits) {
  for (int bits : {1, 4, 8, 24}) {
    SCOPED_TRACE(bits);
    SkinBitmap b = Bitmap(bits, {0x00FF00FF, 0x00FF00FE, 0x00000000, 0x00FFFFFF});
    NormaliseTo32Bits(b);
    EXPECT_EQ(b.pixels, (std::vector<std::uint32_t>{0x00FF00FF, 0xFFFF00FE, 0xFF000000, 0xFFFFFFFF}));
    EXPECT_EQ(b.sourceBits, 32);
  }
  SkinBitmap alreadyWide = Bitmap(32, {0x00FF0000, 0x12345678});
  NormaliseTo32Bits(alreadyWide);
  EXPECT_EQ(alreadyWide.pixels, (std::vector<std::uint32_t>{0x00FF0000, 0x12345678}));
}

TEST(PixelRules, RulesWorkOnAViewWithinALargerBitmap) {
  // A 2 x 2 view over the middle of a 4 x 3 bitmap: pixels outside it stay.
  std::vector<std::uint32_t> pixels(12, 0x00FFFFFF);
  const PixelView view{2, 2, 4, pixels.data() + 5};
  ClearTransparentWhite(view);
  const std::vector<std::uint32_t> expected = {0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF,
                                               0x00FFFFFF, 0,          0,          0x00FFFFFF,
                                               0x00FFFFFF, 0,          0,          0x00FFFFFF};
  EXPECT_EQ(pixels, expected);
}

TEST(PixelRules, PngEntryRulesApplyTheAlphaRuleOnlyTo32BitImagesThenNormalise) {
  struct EntryCase {
    const char* name;
    int sourceBits;
    PngAlphaRule rule;
    std::vector<std::uint32_t> after;
  };
  const std::vector<std::uint32_t> before = {0x80C86400, 0x00FFFFFF, 0x00FF00FF};
  const std::vector<EntryCase> cases = {
      {"32 bits premultiplied", 32, PngAlphaRule::Premultiply, {0x80643200, 0, 0}},
      {"32 bits transparent white", 32, PngAlphaRule::TransparentWhite, {0x80C86400, 0, 0x00FF00FF}},
      {"24 bits only normalised", 24, PngAlphaRule::Premultiply, {0xFFC86400, 0xFFFFFFFF, 0x00FF00FF}},
      {"8 bits only normalised", 8, PngAlphaRule::TransparentWhite, {0xFFC86400, 0xFFFFFFFF, 0x00FF00FF}},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint32_t> source = before;
    if (c.sourceBits < 32) {
      for (std::uint32_t& p : source) p &= 0x00FFFFFF;
    }
    SkinBitmap b = Bitmap(c.sourceBits, source);
    ApplyPngEntryRules(b, c.rule);
    EXPECT_EQ(b.pixels, c.after);
    EXPECT_EQ(b.sourceBits, 32);
  }
}

}  // namespace

}  // namespace klarvik
