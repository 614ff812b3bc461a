// The gauge's light picture in app/res: exactly what the generator draws today, and, read
// back through the skin engine's PNG decoder, the shape the gauge expects of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "paint/primitives/bitmap_ops.h"
#include "skin/image/png_decoder.h"
#include "tools/skingen/gauge_light.h"
#include "tools/skingen/png_writer.h"

namespace klarvik {
namespace {

std::vector<std::uint8_t> CommittedBytes() {
  std::ifstream file(KLARVIK_GAUGE_LIGHT_PNG, std::ios::binary);
  if (!file) ADD_FAILURE() << "cannot read " << KLARVIK_GAUGE_LIGHT_PNG;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(GaugeLight, CommittedFileIsWhatTheGeneratorDraws) {
  EXPECT_TRUE(PngFileBytes(ConstView(GaugeLightPicture())) == CommittedBytes())
      << "redraw it: skingen --gauge-light app/res/gauge_light.png";
}

TEST(GaugeLight, IsWhiteLightFadingToTheEndsAndStrongestAlongTheEdges) {
  const SkinBitmap light = DecodePng(CommittedBytes());
  ASSERT_EQ(light.width, 60);
  ASSERT_EQ(light.height, 20);
  auto alpha = [&light](int x, int y) { return static_cast<int>(light.pixels[static_cast<std::size_t>(y) * 60 + x] >> 24); };
  for (int y = 0; y < 20; ++y) {
    SCOPED_TRACE(testing::Message() << "row " << y);
    for (int x = 0; x < 60; ++x) {
      ASSERT_EQ(light.pixels[static_cast<std::size_t>(y) * 60 + x] & 0xFFFFFF, 0xFFFFFFu) << "column " << x;
      ASSERT_EQ(alpha(x, y), alpha(59 - x, y)) << "column " << x << " against its mirror";
      ASSERT_LE(alpha(x, y), std::min(alpha(x, 0), alpha(x, 19))) << "column " << x << " outshines its edges";
      if (x > 0 && x < 30) {
        ASSERT_GE(alpha(x, y), alpha(x - 1, y)) << "column " << x << " dims toward the middle";
      }
    }
    EXPECT_EQ(alpha(0, y), 0);
    EXPECT_EQ(alpha(59, y), 0);
  }
  for (int x : {29, 30}) {
    for (int y : {0, 19}) {
      EXPECT_GE(alpha(x, y), 130) << x << "," << y;
      EXPECT_LE(alpha(x, y), 150) << x << "," << y;
    }
    for (int y : {9, 10}) {
      EXPECT_GE(alpha(x, y), 80) << x << "," << y;
      EXPECT_LE(alpha(x, y), 100) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace klarvik
