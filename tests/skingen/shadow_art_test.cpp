// The skin manager's built-in shadows in app/res: what the generator draws today, and
// their shape: clear under the window, deepest at its edge, gone at the picture's edge.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "paint/primitives/bitmap_ops.h"
#include "tools/skingen/png_writer.h"
#include "tools/skingen/shadow_art.h"

namespace klarvik {
namespace {

std::vector<std::uint8_t> CommittedBytes(const std::string& name) {
  const std::string path = std::string(KLARVIK_PROGRAM_RES) + "/" + name;
  std::ifstream file(path, std::ios::binary);
  if (!file) ADD_FAILURE() << "cannot read " << path;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint32_t AlphaAt(const SkinBitmap& picture, int x, int y) {
  return picture.pixels[static_cast<std::size_t>(y) * kShadowSize + x] >> 24;
}

TEST(BuiltInShadows, CommittedFilesAreWhatTheGeneratorDraws) {
  for (const bool active : {true, false}) {
    SCOPED_TRACE(active);
    EXPECT_TRUE(PngFileBytes(ConstView(ShadowPicture(active))) ==
                CommittedBytes(active ? "shadow_active.png" : "shadow_inactive.png"))
        << "redraw them: skingen --shadows app/res";
  }
}

TEST(BuiltInShadows, FallFromTheWindowsEdgeAndTheActiveOneIsDeeper) {
  const SkinBitmap active = ShadowPicture(true);
  const SkinBitmap inactive = ShadowPicture(false);
  ASSERT_EQ(active.width, kShadowSize);
  ASSERT_EQ(active.height, kShadowSize);
  EXPECT_EQ(AlphaAt(active, 16, 16), 0u);  // under the window
  EXPECT_EQ(AlphaAt(active, 0, 16), 0u);   // the picture's edge
  EXPECT_GT(AlphaAt(active, 8, 16), AlphaAt(active, 4, 16));
  EXPECT_GT(AlphaAt(active, 4, 16), AlphaAt(active, 1, 16));
  EXPECT_EQ(AlphaAt(active, 8, 16), AlphaAt(active, 24, 16));  // mirrored sides alike
  EXPECT_GT(AlphaAt(active, 8, 16), AlphaAt(inactive, 8, 16));
  for (std::uint32_t pixel : active.pixels) EXPECT_EQ(pixel & 0xFFFFFF, 0u);
}

}  // namespace
}  // namespace klarvik
