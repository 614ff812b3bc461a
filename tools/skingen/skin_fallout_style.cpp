// FalloutStyle: worn, industrial, survivor. Olive and khaki metal with rust, bone text,
// a grunge texture (fBG.jpg) tiled on forms and dialogs, riveted borders and a stencilled
// hazard strip under the caption.
#include "paint/primitives/bitmap_ops.h"
#include "tools/skingen/drawing.h"
#include "tools/skingen/jpeg_writer.h"
#include "tools/skingen/stored_skins.h"

namespace klarvik {

namespace {

constexpr TColor kKhaki = Rgb(0xA89F7B), kOlive = Rgb(0x5E5B3F), kRust = Rgb(0x8A4B2A), kBone = Rgb(0xF0E6C8);
constexpr TColor kSoot = Rgb(0x1E1C10);
constexpr int kTextureSize = 128;

void Rivet(PixelView picture, double x, double y) {
  FillCircle(picture, x, y, 1.8, kSoot);
  FillCircle(picture, x - 0.4, y - 0.4, 1.2, kKhaki);
}

void StencilTitle(PixelView picture, const Rect& band) {
  AddGrain(picture, band, 6, 0xFA11u);
  for (int x = band.left - band.Height(); x < band.right; x += 8) {
    DrawLine(picture, x, band.bottom - 1, x + 3, band.bottom - 4, 3, kRust, 200);
  }
  Rivet(picture, band.left + 4, band.top + 5);
  Rivet(picture, band.right - 5, band.top + 5);
}

// Worn plate: the olive ramp, coarse grain, a few rust stains and scratches.
SkinBitmap GrungeTexture() {
  SkinBitmap picture = NewPicture(kTextureSize, kTextureSize);
  const Rect all{0, 0, kTextureSize, kTextureSize};
  FillOpaque(picture.View(), all, kOlive);
  AddGrain(picture.View(), all, 10, 0x5EEDu);
  std::uint32_t state = 0xC0FFEEu;
  auto next = [&state](int range) {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 16) % static_cast<std::uint32_t>(range));
  };
  for (int i = 0; i < 7; ++i) FillCircle(picture.View(), next(kTextureSize), next(kTextureSize), 3 + next(8), kRust, 40 + next(40));
  for (int i = 0; i < 12; ++i) {
    const int x = next(kTextureSize), y = next(kTextureSize);
    DrawLine(picture.View(), x, y, x + next(30) - 15, y + next(8) - 4, 1, kKhaki, 50 + next(50));
  }
  return picture;
}

constexpr int kBorderWidth = 5;

void RivetedFrame(PixelView frame) {
  for (double at : {kBorderWidth / 2.0, frame.width - kBorderWidth / 2.0}) {
    Rivet(frame, at, kBorderWidth / 2.0);
    Rivet(frame, at, frame.height - kBorderWidth / 2.0);
  }
}

void Extras(SkinBuild& build) {
  const SkinBitmap texture = GrungeTexture();
  build.files.push_back({"fBG.jpg", JpegFileBytes(ConstView(texture), 85)});
  DefinitionText& d = build.definition;
  d.Set("FORM", "PATTERN", "FBG.JPG");
  d.Set("FORM", "IMAGEPERCENT", 100);
  d.Set("FORM", "GRADIENTPERCENT", 0);
}

}  // namespace

SkinRecipe FalloutStyleRecipe() {
  SkinRecipe r;
  r.folder = "FalloutStyle";
  r.version = "8.00";
  r.description = "Khaki, olive and rust: worn, industrial, survivor";
  r.hugeSize = 36;
  SkinColours& c = r.colours;
  c.window = {{kOlive, Rgb(0x4E4B33)}, kBone, kSoot};
  c.title = {{Rgb(0x6A6446), Rgb(0x4A4632)}, kBone, kSoot};
  c.button = {{Rgb(0xB4AB86), Rgb(0xA39A74)}, kSoot, Rgb(0x3A3724)};
  c.buttonHot = {{Rgb(0x9A5532), kRust}, kBone, kSoot};
  c.buttonPressed = {{Rgb(0x6E3A20), Rgb(0x5E3018)}, kBone, kSoot};
  c.field = {{Rgb(0xE8E0C4), Rgb(0xE8E0C4)}, kSoot, Rgb(0x3A3724)};
  c.menu = {{Rgb(0x4E4B33), Rgb(0x4E4B33)}, kBone, kSoot};
  c.selection = {{kRust, Rgb(0x7A4024)}, kBone, kSoot};
  c.hint = {{kKhaki, kKhaki}, kSoot, kSoot};
  c.header = {{Rgb(0x4E4B33), Rgb(0x403E2A)}, kBone, kSoot};
  c.gauge = {Rgb(0xA85A2A), kRust};
  c.gaugeTrack = Rgb(0x2E2C1E);
  c.glyph = kBone;
  c.glyphHot = kBone;
  c.frame = kSoot;
  c.frameLight = kKhaki;
  c.link = Rgb(0xF8D890);
  c.linkHot = Rgb(0xFFF4DA);
  r.shape = SkinShape{.radius = 1, .frameRadius = 0, .borderWidth = kBorderWidth, .titleHeight = 26};
  r.titleArt = StencilTitle;
  r.frameArt = RivetedFrame;
  r.extras = Extras;
  return r;
}

}  // namespace klarvik
