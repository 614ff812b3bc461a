// Garnet: rich, jewel-like, evening. Deep wine surfaces, a glossy garnet caption, rose
// highlights and cream text; caption buttons light up as glossy jewels (their own PNGs).
// Its master bitmap carries the old 12-byte core header, and its large buttons are Huge.bmp.
#include "tools/skingen/drawing.h"
#include "tools/skingen/glow_art.h"
#include "tools/skingen/stored_skins.h"

namespace klarvik {

namespace {

constexpr TColor kWineDeep = Rgb(0x3B0A14), kWine = Rgb(0x6E1423), kGarnet = Rgb(0x9B1B30);
constexpr TColor kRose = Rgb(0xE7A3B1), kCream = Rgb(0xF6EDE6);
constexpr int kCaptionFace = 18, kCaptionGlow = 6;

// Gloss: a pale band over the upper half of the caption.
void GlossyTitle(PixelView picture, const Rect& band) {
  const int half = band.Height() / 2;
  for (int y = band.top + 1; y < band.top + half; ++y) {
    DrawLine(picture, band.left, y + 0.5, band.right, y + 0.5, 1, kRose, 60 - 50 * (y - band.top) / half);
  }
  DrawLine(picture, band.left, band.top + 1.5, band.right, band.top + 1.5, 1, kRose, 120);
}

void Extras(SkinBuild& build) {
  DefinitionText& d = build.definition;
  const Ramp jewel{kGarnet, kWine}, jewelAlone{Rgb(0xC2304A), kGarnet};
  struct Glow {
    const char* key;
    const char* file;
    CaptionSymbol symbol;
    const Ramp* gloss;
  };
  const Glow glows[] = {{"BICONCLOSEGLOW0", "CloseG.png", CaptionSymbol::Close, &jewel},
                        {"BICLOSEALONEGLOW0", "CloseAG.png", CaptionSymbol::Close, &jewelAlone},
                        {"BICONMAXGLOW0", "MaxG.png", CaptionSymbol::Maximise, &jewel},
                        {"BICONMINGLOW0", "MinG.png", CaptionSymbol::Minimise, &jewel},
                        {"BICONNORMGLOW0", "NormG.png", CaptionSymbol::Restore, &jewel}};
  for (const Glow& glow : glows) {
    const std::string member =
        build.AddPng(glow.file, CaptionGlow(kCaptionFace, kCaptionGlow, kRose, *glow.gloss, glow.symbol, kCream));
    d.Set("GLOBALINFO", glow.key, ImageValue(member, 1, false, 4, Margins{}, 0));
  }
  for (const char* key : {"BICONCLOSEGLOW", "BICONMAXGLOW", "BICONMINGLOW"}) {
    d.Set("GLOBALINFO", key, kCaptionGlow);
    d.Set("GLOBALINFO", std::string(key).append("MARGIN"), kCaptionGlow);
  }
}

}  // namespace

SkinRecipe GarnetRecipe() {
  SkinRecipe r;
  r.folder = "Garnet";
  r.version = "8.00";
  r.description = "Wine, garnet and rose: rich, jewel-like, evening";
  r.masterCoreHeader = true;
  r.hugeFile = "Huge.bmp";
  r.hugeSize = 36;
  SkinColours& c = r.colours;
  c.window = {{Rgb(0x4A0E1A), kWineDeep}, kCream, kGarnet};
  c.title = {{kGarnet, kWine}, kCream, Rgb(0x1E0409)};
  c.button = {{Rgb(0x7A1828), Rgb(0x5A1020)}, kCream, kRose};
  c.buttonHot = {{kGarnet, Rgb(0x7A1828)}, kCream, Rgb(0xF6C8D2)};
  c.buttonPressed = {{Rgb(0x4A0E1A), kWineDeep}, kCream, kRose};
  c.field = {{Rgb(0x2A060E), Rgb(0x2A060E)}, kCream, kGarnet};
  c.menu = {{Rgb(0x4A0E1A), Rgb(0x4A0E1A)}, kCream, kGarnet};
  c.selection = {{kGarnet, Rgb(0x8A1829)}, kCream, kRose};
  c.hint = {{kCream, kCream}, kWineDeep, kGarnet};
  c.header = {{Rgb(0x5A1020), Rgb(0x4A0E1A)}, kCream, kGarnet};
  c.gauge = {Rgb(0xC2304A), kGarnet};
  c.gaugeTrack = Rgb(0x2A060E);
  c.glyph = kCream;
  c.glyphHot = Rgb(0xFFFFFF);
  c.frame = Rgb(0x1E0409);
  c.frameLight = kGarnet;
  c.link = kRose;
  c.linkHot = kCream;
  r.shape = SkinShape{.radius = 4, .frameRadius = 6, .borderWidth = 4, .titleHeight = 26, .edgeAlpha = 200};
  r.titleArt = GlossyTitle;
  r.extras = Extras;
  return r;
}

}  // namespace klarvik
