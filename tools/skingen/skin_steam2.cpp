// Steam2: utilitarian, muted, flat. Olive-grey and moss panels with one-pixel light and
// dark bevels, khaki and light text, a title banner of its own (steam_top.bmp) and a
// glow for the hot button (Glow_Button.png). The stored main window starts with it.
#include "base/bmp_file.h"
#include "paint/primitives/bitmap_ops.h"
#include "tools/skingen/drawing.h"
#include "tools/skingen/glow_art.h"
#include "tools/skingen/stored_skins.h"

namespace klarvik {

namespace {

constexpr TColor kOliveGrey = Rgb(0x4C5844), kMoss = Rgb(0x3E4637), kKhakiText = Rgb(0xC4B550);
constexpr TColor kLightText = Rgb(0xD8DED3), kBevelLight = Rgb(0x8A9A80), kBevelDark = Rgb(0x282E24);
constexpr int kBannerWidth = 256, kButtonGlow = 4;

// The banner: painted metal, moss fading to olive grey from left to right under fine
// diagonal hatching, a light rule on top, a khaki stripe and a dark rule under it.
SkinBitmap Banner(const SkinRecipe& recipe) {
  const int height = recipe.shape.titleHeight + recipe.shape.borderWidth;
  SkinBitmap picture = NewPicture(kBannerWidth, height);
  const Rect all{0, 0, kBannerWidth, height};
  HorizontalGradient(picture.View(), all, kMoss, Rgb(0x465040));
  AddGrain(picture.View(), all, 4, 0x57EA3u);
  for (int x = -height; x < kBannerWidth; x += 4) DrawLine(picture.View(), x, height, x + height, 0, 1, kBevelDark, 28);
  DrawBevel(picture.View(), all, kBevelLight, kBevelDark);
  FillOpaque(picture.View(), Rect{1, height - 4, kBannerWidth - 1, height - 3}, Rgb(0x6A7458));
  return picture;
}

void Extras(SkinBuild& build) {
  DefinitionText& d = build.definition;
  const SkinBitmap banner = Banner(build.recipe);
  build.files.push_back({"steam_top.bmp", BmpFileBytes(ConstView(banner))});
  const int b = build.recipe.shape.borderWidth;
  d.Set("FORMTITLE", "BORDERSMASK", ImageValue("STEAM_TOP.BMP", 1, false, 0, Margins{b + 2, b, b + 2, 4}, kFillStretchSides | kFillCentre));
  const std::string glow = build.AddPng("Glow_Button.png", GlowFrame(8, kButtonGlow, kKhakiText, 120));
  d.Set("BUTTON", "GLOW", 1);
  d.Set("BUTTON", "GLOWMARGIN", 1);
  d.Set("BUTTON", "GLOW0", ImageValue(glow, 1, false, 3, Margins{kButtonGlow + 4, kButtonGlow + 4, kButtonGlow + 4, kButtonGlow + 4}, 1));
}

}  // namespace

SkinRecipe Steam2Recipe() {
  SkinRecipe r;
  r.folder = "Steam2";
  r.version = "8.40";
  r.description = "Olive grey and moss: utilitarian, muted, flat";
  r.hugeSize = 36;
  SkinColours& c = r.colours;
  c.window = {{kOliveGrey, kOliveGrey}, kLightText, kBevelDark};
  c.title = {{kMoss, kMoss}, kKhakiText, kBevelDark};
  c.button = {{kOliveGrey, kOliveGrey}, kLightText, kBevelDark};
  c.buttonHot = {{Rgb(0x5A6850), Rgb(0x5A6850)}, Rgb(0xFFFFFF), kBevelDark};
  c.buttonPressed = {{kMoss, kMoss}, kLightText, kBevelDark};
  c.field = {{kMoss, kMoss}, kLightText, kBevelDark};
  c.menu = {{kMoss, kMoss}, kKhakiText, kBevelDark};
  c.selection = {{kKhakiText, Rgb(0xB0A244)}, Rgb(0x1E2218), kBevelDark};
  c.hint = {{kMoss, kMoss}, kKhakiText, kBevelDark};
  c.header = {{kMoss, kMoss}, kKhakiText, kBevelDark};
  c.gauge = {kKhakiText, Rgb(0xA89A40)};
  c.gaugeTrack = Rgb(0x2E3428);
  c.glyph = kLightText;
  c.glyphHot = Rgb(0xFFFFFF);
  c.frame = kBevelDark;
  c.frameLight = kBevelLight;
  c.link = Rgb(0xE0D480);
  c.linkHot = Rgb(0xFFFFFF);
  r.shape = SkinShape{.radius = 0, .frameRadius = 0, .borderWidth = 3, .titleHeight = 22, .edgeAlpha = 255,
                      .bevelled = true, .bevelLight = kBevelLight, .bevelDark = kBevelDark};
  r.ownTitleBand = true;
  r.extras = Extras;
  return r;
}

}  // namespace klarvik
