// Matrix: terminal, phosphor, dark. Black surfaces, phosphor-green text and borders that
// glow; glowing buttons (GlowingBtn.png, GlowingHugeBtn.png), caption-button glows and an
// extended border image (ExBord.png) of green light around the window.
#include "tools/skingen/drawing.h"
#include "tools/skingen/glow_art.h"
#include "tools/skingen/stored_skins.h"

namespace klarvik {

namespace {

constexpr TColor kBlack = Rgb(0x000000), kNight = Rgb(0x061006), kPhosphor = Rgb(0x00E060), kDim = Rgb(0x0B5F2A);
constexpr TColor kPale = Rgb(0xC8FFD8);
constexpr int kButtonGlow = 5, kCaptionFace = 18, kCaptionGlow = 5, kBorderGlow = 8;

// Scan lines: every other row a little darker, a dim green rule along the bottom.
void ScanLineTitle(PixelView picture, const Rect& band) {
  for (int y = band.top + 1; y < band.bottom; y += 2) DrawLine(picture, band.left, y + 0.5, band.right, y + 0.5, 1, kBlack, 90);
  DrawLine(picture, band.left, band.bottom - 1.5, band.right, band.bottom - 1.5, 1, kPhosphor, 160);
}

void Extras(SkinBuild& build) {
  DefinitionText& d = build.definition;
  const std::string button = build.AddPng("GlowingBtn.png", GlowFrame(8, kButtonGlow, kPhosphor, 150));
  d.Set("BUTTON", "GLOW", 1);
  d.Set("BUTTON", "GLOWMARGIN", 1);
  const Margins buttonMargins{kButtonGlow + 4, kButtonGlow + 4, kButtonGlow + 4, kButtonGlow + 4};
  d.Set("BUTTON", "GLOW0", ImageValue(button, 1, false, 3, buttonMargins, 1));
  const std::string huge = build.AddPng("GlowingHugeBtn.png", GlowFrame(12, kButtonGlow + 3, kPhosphor, 170));
  const Margins hugeMargins{kButtonGlow + 9, kButtonGlow + 9, kButtonGlow + 9, kButtonGlow + 9};
  d.Set("BUTTON_HUGE", "GLOW", 1);
  d.Set("BUTTON_HUGE", "GLOWMARGIN", 2);
  d.Set("BUTTON_HUGE", "GLOW0", ImageValue(huge, 1, false, 3, hugeMargins, 1));

  const Ramp screen{Rgb(0x0A3A18), kBlack};
  const std::tuple<const char*, const char*, CaptionSymbol> glows[] = {
      {"BICONCLOSEGLOW0", "CloseBtnGlow.png", CaptionSymbol::Close},
      {"BICONMAXGLOW0", "MaxBtnGlow.png", CaptionSymbol::Maximise},
      {"BICONMINGLOW0", "MinBtnGlow.png", CaptionSymbol::Minimise},
      {"BICONNORMGLOW0", "NormalBtnGlow.png", CaptionSymbol::Restore}};
  for (const auto& [key, file, symbol] : glows) {
    const std::string member = build.AddPng(file, CaptionGlow(kCaptionFace, kCaptionGlow, kPhosphor, screen, symbol, kPale));
    d.Set("GLOBALINFO", key, ImageValue(member, 1, false, 4, Margins{}, 0));
  }
  for (const char* key : {"BICONCLOSEGLOW", "BICONMAXGLOW", "BICONMINGLOW"}) {
    d.Set("GLOBALINFO", key, kCaptionGlow);
    d.Set("GLOBALINFO", std::string(key).append("MARGIN"), kCaptionGlow);
  }

  const std::string border = build.AddPng("ExBord.png", GlowFrame(16, kBorderGlow, kPhosphor, 110));
  const Margins borderMargins{kBorderGlow + 8, kBorderGlow + 8, kBorderGlow + 8, kBorderGlow + 8};
  d.Set("GLOBALINFO", "EXBORDER", ImageValue(border, 1, false, 3, borderMargins, 1));
}

}  // namespace

SkinRecipe MatrixRecipe() {
  SkinRecipe r;
  r.folder = "Matrix";
  r.version = "8.00";
  r.description = "Phosphor green on black: terminal, phosphor, dark";
  r.hugeSize = 40;
  SkinColours& c = r.colours;
  c.window = {{kNight, kBlack}, kPhosphor, kDim};
  c.title = {{Rgb(0x0A200E), kBlack}, kPhosphor, kDim};
  c.button = {{Rgb(0x021A0A), kBlack}, kPhosphor, kDim};
  c.buttonHot = {{Rgb(0x0A4A22), Rgb(0x063018)}, kPale, kPhosphor};
  c.buttonPressed = {{kPhosphor, Rgb(0x00B04C)}, kBlack, kPale};
  c.field = {{kBlack, kBlack}, kPhosphor, kDim};
  c.menu = {{Rgb(0x030A04), Rgb(0x030A04)}, kPhosphor, kDim};
  c.selection = {{kDim, Rgb(0x0A5024)}, kPale, kPhosphor};
  c.hint = {{kBlack, kBlack}, kPhosphor, kPhosphor};
  c.header = {{kNight, Rgb(0x020602)}, kPhosphor, kDim};
  c.gauge = {kPhosphor, Rgb(0x0B8F3A)};
  c.gaugeTrack = kBlack;
  c.glyph = kPhosphor;
  c.glyphHot = kPale;
  c.frame = kDim;
  c.frameLight = kPhosphor;
  c.link = kPhosphor;
  c.linkHot = kPale;
  r.shape = SkinShape{.radius = 2, .frameRadius = 2, .borderWidth = 4, .titleHeight = 24};
  r.titleArt = ScanLineTitle;
  r.extras = Extras;
  return r;
}

}  // namespace klarvik
