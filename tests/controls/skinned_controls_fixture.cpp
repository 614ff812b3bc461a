#include "tests/controls/skinned_controls_fixture.h"

#include <string>

#include "base/bmp_file.h"
#include "tests/support/stored_test_skin.h"

namespace klarvik::test {

namespace {

// Sections named for what they test: TRANSPARENCY 40 and 100, a gradient, a lender of its
// font colour, and sections that fade and do not.
constexpr char kDefinition[] =
    "[GLOBALINFO]\r\nVERSION=8.40\r\nCOLOR=15790320\r\nFONTCOLOR=11777720\r\nTCBOTTOM=16711680\r\nTCTOP=255\r\n"
    "MASTERBITMAP=MASTER.BMP\r\nBOXUNCHECKED=@0000@0000@0048@0032@3@1\r\nBOXCHECKED=@0000@0032@0048@0064@3@1\r\n"
    "[PANEL]\r\nSTATES=1\r\nCOLOR=255\r\nTRANSPARENCY=0\r\n"
    "[HALF]\r\nSTATES=1\r\nCOLOR=255\r\nTRANSPARENCY=40\r\n"
    "[CLEAR]\r\nSTATES=1\r\nCOLOR=255\r\nTRANSPARENCY=100\r\n"
    "[SHADED]\r\nSTATES=1\r\nCOLOR=255\r\nGRADIENTPERCENT=100\r\nGRADIENTDATA=255;65280;100;0;0\r\n"
    "[LENDER]\r\nSTATES=1\r\nCOLOR=255\r\nGIVEOWNFONT=1\r\nFONTCOLOR=1193046\r\n"
    "[BUTTON]\r\nSTATES=3\r\nCOLOR=255\r\nHOTCOLOR=16711680\r\nFONTCOLOR=0\r\nHOTFONTCOLOR=65535\r\n"
    "[CHECKBOX]\r\nSTATES=2\r\nCOLOR=255\r\n"
    "[GAUGE]\r\nSTATES=1\r\nCOLOR=255\r\n"
    "[PROGRESSH]\r\nSTATES=1\r\nCOLOR=65535\r\n"
    "[PROGRESSV]\r\nSTATES=1\r\nCOLOR=16776960\r\n"
    "[FADER]\r\nSTATES=2\r\nCOLOR=255\r\nFADINGENABLED=1\r\nFADINGITERATIONS=20\r\n"
    "[OUTLINED]\r\nSTATES=1\r\nCOLOR=16777215\r\nFONTCOLOR=0\r\nTCLEFT=255\r\nTCTOP=255\r\nTCRIGHT=255\r\nTCBOTTOM=255\r\n"
    "[STILL]\r\nSTATES=2\r\nCOLOR=255\r\nFADINGENABLED=0\r\nFADINGITERATIONS=20\r\n";

// The check glyphs, three looks of 16 x 16 each with their masks below: unchecked in
// kUncheckedGlyph, checked in kCheckedGlyph, the hot and pressed looks a shade apart.
std::vector<std::uint8_t> MasterBitmap() {
  std::vector<std::uint32_t> pixels(48 * 64, 0xFF000000);  // black masks: glyphs drawn whole
  PixelView view{48, 64, 48, pixels.data()};
  for (int look = 0; look < 3; ++look) {
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        view.At(look * 16 + x, y) = kUncheckedGlyph - static_cast<std::uint32_t>(look);
        view.At(look * 16 + x, 32 + y) = kCheckedGlyph - static_cast<std::uint32_t>(look);
      }
    }
  }
  return BmpFileBytes(view);
}

}  // namespace

void SkinnedControlsTest::SetUp() {
  RuntimeTest::SetUp();
  manager = NewManagerWithStoredSkin(&app, "Probe (internal)", kDefinition, MasterBitmap());
  app.CreateForm(form);
  form->SetBorderStyle(TFormBorderStyle::bsNone);
  form->SetBounds(40, 40, 300, 200);
  form->SetColor(kFormColor);
  form->HandleNeeded();
}

void SkinnedControlsTest::TearDown() {
  form = nullptr;
  RuntimeTest::TearDown();
}

SkinnedPanel* SkinnedControlsTest::NewPanel(TWinControl* parent, const char* section, int x, int y, int kind) {
  auto* panel = new SkinnedPanel(form, kind, true);
  panel->SetParent(parent);
  panel->SetBounds(x, y, 100, 40);
  panel->data.SetSkinSection(section);
  panel->HandleNeeded();
  return panel;
}

SkinnedGraphic* SkinnedControlsTest::NewGraphic(TWinControl* parent, const char* section, int x, int y, int kind) {
  auto* graphic = new SkinnedGraphic(form, kind, false);
  graphic->SetParent(parent);
  graphic->SetBounds(x, y, 30, 20);
  if (section) graphic->data.SetSkinSection(section);
  return graphic;
}

void SkinnedControlsTest::ShowSkin() {
  manager->SetSkinName(L"Probe (internal)");
  manager->SetActive(true);
  ASSERT_TRUE(manager->Tables().SkinData.Active);
}

void SkinnedControlsTest::RemoveSkin() { manager->SetActive(false); }

}  // namespace klarvik::test
