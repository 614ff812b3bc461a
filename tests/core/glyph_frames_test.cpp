#include "controls/glyph_frames.h"

#include <gtest/gtest.h>

namespace klarvik {
namespace {

TEST(GlyphFrames, LooksSideBySideCountOnlyForWholeSquaresAndNeverDivideByZero) {
  struct Case {
    int width, height, frames, frameWidth;
  };
  const Case cases[] = {
      {48, 16, 3, 16},  // normal, hot, pressed
      {16, 16, 1, 16},
      {40, 16, 1, 40},  // not whole squares: one look, the whole width
      {8, 16, 1, 8},
      {48, 0, 0, 0},    // no height: no glyph
      {0, 16, 0, 0},
      {-3, 16, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    EXPECT_EQ(GlyphFrameCount(c.width, c.height), c.frames);
    EXPECT_EQ(GlyphFrameWidth(c.width, c.height), c.frameWidth);
  }
}

}  // namespace
}  // namespace klarvik
