// BlueGauze: light, airy, calm. White and mist blue in soft vertical ramps, thin
// translucent sky-blue borders, rounded corners; the smallest package of the six.
#include "tools/skingen/drawing.h"
#include "tools/skingen/stored_skins.h"

namespace klarvik {

namespace {

constexpr TColor kWhite = Rgb(0xFBFDFF), kMist = Rgb(0xDCEBFA), kSky = Rgb(0x7FB2E5), kInk = Rgb(0x1F3550);

// A soft sheen over the upper half of the caption.
void GauzeTitle(PixelView picture, const Rect& band) {
  for (int y = band.top; y < band.top + band.Height() / 2; ++y) {
    DrawLine(picture, band.left, y + 0.5, band.right, y + 0.5, 1, TColor{0xFFFFFF}, 110 - 180 * (y - band.top) / band.Height());
  }
}

}  // namespace

SkinRecipe BlueGauzeRecipe() {
  SkinRecipe r;
  r.folder = "BlueGauze";
  r.version = "8.00";
  r.description = "White and mist blue: light, airy and calm";
  r.hugeSize = 26;
  SkinColours& c = r.colours;
  c.window = {{kWhite, kMist}, kInk, kSky};
  c.title = {{kMist, Rgb(0xB9D6F3)}, kInk, kSky};
  c.button = {{Rgb(0xFFFFFF), kMist}, kInk, kSky};
  c.buttonHot = {{Rgb(0xEAF4FF), Rgb(0xBFDBF7)}, kInk, Rgb(0x5A9AD8)};
  c.buttonPressed = {{Rgb(0xBFDBF7), Rgb(0xA5CBF0)}, kInk, Rgb(0x5A9AD8)};
  c.field = {{Rgb(0xFFFFFF), Rgb(0xFFFFFF)}, kInk, kSky};
  c.menu = {{kWhite, kWhite}, kInk, kMist};
  c.selection = {{kMist, Rgb(0xC7E0F8)}, kInk, kSky};
  c.hint = {{Rgb(0xFFFFFF), Rgb(0xEEF5FD)}, kInk, kSky};
  c.header = {{Rgb(0xEEF5FD), kMist}, kInk, kSky};
  c.gauge = {Rgb(0x9CC6EE), Rgb(0x5E9AD6)};
  c.gaugeTrack = Rgb(0xEEF5FD);
  c.glyph = kInk;
  c.glyphHot = kInk;
  c.frame = kSky;
  c.frameLight = Rgb(0xFFFFFF);
  c.link = Rgb(0x2A5FA0);
  c.linkHot = kInk;
  r.shape = SkinShape{.radius = 5, .frameRadius = 7, .borderWidth = 4, .titleHeight = 22, .edgeAlpha = 150};
  r.titleArt = GauzeTitle;
  return r;
}

}  // namespace klarvik
