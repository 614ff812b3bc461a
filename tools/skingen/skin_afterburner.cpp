// Afterburner: heat, speed, night. Charcoal surfaces, brushed-metal caption with a thin
// ember line under it, buttons that glow orange when hot, a hot orange-to-red gauge.
#include "tools/skingen/drawing.h"
#include "tools/skingen/element_art.h"
#include "tools/skingen/stored_skins.h"

namespace klarvik {

namespace {

constexpr TColor kCharcoalLight = Rgb(0x2C2C33), kCharcoal = Rgb(0x1E1E22);
constexpr TColor kEmber = Rgb(0xFF7A1A), kEmberRed = Rgb(0xD7261E), kAsh = Rgb(0xE8E2DA);

void BrushedTitle(PixelView picture, const Rect& band) {
  AddGrain(picture, band, 9, 0xAF7E5u, 16);
  HorizontalGradient(picture, Rect{band.left, band.bottom - 2, band.right, band.bottom}, kEmber, kEmberRed);
}

}  // namespace

SkinRecipe AfterburnerRecipe() {
  SkinRecipe r;
  r.folder = "Afterburner";
  r.version = "8.00";
  r.description = "Charcoal and ember: heat, speed and night";
  r.hugeSize = 64;
  SkinColours& c = r.colours;
  c.window = {{kCharcoalLight, kCharcoal}, kAsh, Rgb(0x45454F)};
  c.title = {{Rgb(0x4E4E57), Rgb(0x2A2A30)}, kAsh, Rgb(0x0E0E10)};
  c.button = {{Rgb(0x3A3A42), Rgb(0x26262B)}, kAsh, Rgb(0x55555F)};
  c.buttonHot = {{Rgb(0x4A3A30), Rgb(0x2E2624)}, kAsh, kEmber};
  c.buttonPressed = {{Rgb(0xFF9A3A), kEmber}, kCharcoal, kEmberRed};
  c.field = {{Rgb(0x18181B), Rgb(0x18181B)}, kAsh, Rgb(0x55555F)};
  c.menu = {{Rgb(0x26262B), Rgb(0x26262B)}, kAsh, Rgb(0x45454F)};
  c.selection = {{Rgb(0xFF8A2A), kEmber}, kCharcoal, kEmberRed};
  c.hint = {{kCharcoalLight, kCharcoalLight}, kAsh, kEmber};
  c.header = {{Rgb(0x34343C), Rgb(0x26262B)}, kAsh, Rgb(0x45454F)};
  c.gauge = {kEmber, Rgb(0xE4381C)};  // ember into red, dark text still readable at its end
  c.gaugeTrack = Rgb(0x141416);
  c.glyph = kAsh;
  c.glyphHot = Rgb(0xFFB070);
  c.frame = Rgb(0x0E0E10);
  c.frameLight = Rgb(0x45454F);
  c.link = Rgb(0xFF9A4A);
  c.linkHot = Rgb(0xFFC080);
  r.shape = SkinShape{.radius = 3, .frameRadius = 4, .borderWidth = 4, .titleHeight = 26};
  r.titleArt = BrushedTitle;
  r.buttonArt = [c, shape = r.shape](PixelView picture, const Rect& at, int state) {
    const Surface& look = state == 0 ? c.button : state == 1 ? c.buttonHot : c.buttonPressed;
    const Rect face{at.left + 4, at.top + 4, at.right - 4, at.bottom - 4};
    if (state == 1) DrawHalo(picture, face, 4, kEmber, 150);
    DrawFace(picture, face, 6, look, shape);
    AddGrain(picture, Rect{face.left + 2, face.top + 2, face.right - 2, face.top + face.Height() / 2}, 5, 0xB0057u, 8);
  };
  return r;
}

}  // namespace klarvik
