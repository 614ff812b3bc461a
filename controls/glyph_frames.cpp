#include "controls/glyph_frames.h"

namespace klarvik {

int GlyphFrameCount(int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  return width % height == 0 ? width / height : 1;
}

int GlyphFrameWidth(int width, int height) {
  const int frames = GlyphFrameCount(width, height);
  return frames > 0 ? width / frames : 0;
}

}  // namespace klarvik
