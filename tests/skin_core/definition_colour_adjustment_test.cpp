// Hue and saturation settings applied to a loaded skin: which colours and pictures turn,
// which keep theirs, and that nothing turns twice.
#include <gtest/gtest.h>

#include <string>

#include "tests/skin_core/definition_fixture.h"

namespace klarvik {

namespace {

using namespace definition_fixture;

constexpr TColor kRed{0x0000FF};    // COLORREF layout
constexpr TColor kGreen{0x00FF00};  // kRed turned by 120 degrees
// kRed turned by 100 degrees: hue 100 is (85, 255, 0). Turned again it would be another
// colour for many turns to come, so a colour turned twice shows.
constexpr TColor kTurned100{0x00FF55};
constexpr std::uint32_t kRedPixel = 0xFFFF0000;
constexpr std::uint32_t kGreenPixel = 0xFF00FF00;

TsSkinTables LoadAdjusted(const std::string& definition, const TsSkinFiles& files, int hue, int saturation) {
  TsLoadSettings settings;
  settings.HueOffset = hue;
  settings.Saturation = saturation;
  return LoadSkinTables(definition, files, settings);
}

TEST(SkinColourAdjustment, TurnsEachSkinColourOnceAndLeavesSystemColoursAndNone) {
  const std::string definition =
      "[GLOBALINFO]\nSHADOW1COLOR=255\nCOLOR=255\nTCTOP=255\n"
      "[BUTTON]\nSTATES=2\nCOLOR=255\nFONTCOLOR=255\nTCLEFT=-1\nHOTCOLOR=$FF00000F\nGCOL=255\n"
      "GRADIENTDATA=255;255;100;0;0\n"
      "[CHILD]\nPARENTCLASS=BUTTON\n";
  const TsSkinTables t = LoadAdjusted(definition, MemoryFiles(), 100, 0);
  const TsGeneralData& button = Section(t, "BUTTON");
  EXPECT_EQ(button.Color, kTurned100);
  EXPECT_EQ(button.StateProps[kStateNormal].Color, kTurned100);
  EXPECT_EQ(button.FontColors[0], kTurned100);
  EXPECT_EQ(button.StateProps[kStateNormal].FontColors[0], kTurned100);
  EXPECT_EQ(button.GlowColor, kTurned100);
  EXPECT_EQ(button.FontColors[1], kNoColor);
  EXPECT_EQ(button.StateProps[kStateNormal].FontColors[1], kNoColor);
  EXPECT_EQ(button.HotColor, SystemColorId(15));
  // Flat fields, state records and the child all hold the one gradient array.
  for (const char* name : {"BUTTON", "CHILD"}) {
    const TsGeneralData& section = Section(t, name);
    ASSERT_EQ(section.GradientArray->size(), 1u) << name;
    EXPECT_EQ((*section.GradientArray)[0].Color1, kTurned100) << name;
    EXPECT_EQ((*section.StateProps[kStateNormal].GradientArray)[0].Color2, kTurned100) << name;
  }
  EXPECT_EQ(t.SkinData.Shadow1Color, kTurned100);
  EXPECT_EQ(t.Palette[pcMainColor], kTurned100);
  EXPECT_EQ(t.Palette[pcBorderTop], kRed) << "the top contour colour is not one the settings turn";
}

TEST(SkinColourAdjustment, NoOffsetsLeaveTheDefinitionsOwnColours) {
  const std::string definition = "[GLOBALINFO]\nSHADOW1COLOR=255\n[BUTTON]\nCOLOR=3368652\nGRADIENTDATA=255;255;100;0;0\n";
  const TsSkinTables plain = LoadAdjusted(definition, MemoryFiles(), 0, 0);
  const TsSkinTables full = LoadAdjusted(definition, MemoryFiles(), 360, 101);
  EXPECT_EQ(Section(plain, "BUTTON").Color, TColor{3368652});
  EXPECT_EQ(Section(full, "BUTTON").Color, TColor{3368652});
  EXPECT_EQ((*Section(full, "BUTTON").GradientArray)[0].Color1, kRed);
}

TEST(SkinColourAdjustment, SaturationCountsModulo101AndKeepsItsSign) {
  const std::string definition = "[BUTTON]\nCOLOR=3368652\n";  // 0xCC6633 as COLORREF: not grey
  auto colour = [&](int saturation) { return Section(LoadAdjusted(definition, MemoryFiles(), 0, saturation), "BUTTON").Color; };
  EXPECT_NE(colour(49), colour(0));
  EXPECT_NE(colour(-49), colour(49));
  EXPECT_EQ(colour(150), colour(49));
  EXPECT_EQ(colour(-150), colour(-49));
}

// A 40 x 10 red master bitmap with a 2 x 2 key corner, caption buttons at x 10, 20 and
// 30, and pictures of their own for a glyph and the close button's glow.
MemoryFiles CaptionFiles() {
  MemoryFiles files;
  files.Add("Master.bmp", Bmp24(40, 10, [](int x, int y) { return x < 2 && y < 2 ? 0xFF00FFu : 0xFF0000u; }));
  files.Add("Glyph.bmp", PlainBmp(4, 4, 0xFF0000));
  files.Add("Glow.bmp", PlainBmp(4, 4, 0xFF0000));
  return files;
}

std::string CaptionDefinition(int keepHue) {
  return std::string("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\nBIKEEPHUE=")
      .append(std::to_string(keepHue))
      .append("\nBICONMAX=@0010@0000@0020@0010@1@0\nBICONCLOSE=@0020@0000@0030@0010@1@0\n"
              "BICONCLOSEGLOW0=glow.bmp\n[BUTTON]\nGLYPH=glyph.bmp\n");
}

TEST(SkinColourAdjustment, PicturesTurnOnceAndCaptionButtonsKeepTheirHueWhenAsked) {
  struct Case {
    int keepHue;
    std::uint32_t maximise, close, glow;
  };
  const Case cases[] = {
      {0, kGreenPixel, kGreenPixel, kGreenPixel},
      {1, kRedPixel, kRedPixel, kRedPixel},
      {2, kGreenPixel, kRedPixel, kRedPixel},
  };
  for (const Case& c : cases) {
    const TsSkinTables t = LoadAdjusted(CaptionDefinition(c.keepHue), CaptionFiles(), 120, 0);
    const SkinBitmap& master = *t.MasterBitmap;
    auto at = [&](int x, int y) { return master.pixels[static_cast<std::size_t>(y * master.width + x)]; };
    EXPECT_EQ(at(0, 0) & 0xFFFFFF, 0xFF00FFu) << "key pixels keep their colour; keep " << c.keepHue;
    EXPECT_EQ(at(5, 5), kGreenPixel) << c.keepHue;
    EXPECT_EQ(at(15, 5), c.maximise) << c.keepHue;
    EXPECT_EQ(at(25, 5), c.close) << c.keepHue;
    EXPECT_EQ(at(35, 5), kGreenPixel) << c.keepHue;
    const int glyph = t.IndexOfMaskDirect("BUTTON", "GLYPH");
    ASSERT_TRUE(t.IsValidMaskIndex(glyph));
    EXPECT_EQ(t.Masks[static_cast<std::size_t>(glyph)].Bitmap->pixels.front(), kGreenPixel) << c.keepHue;
    const int glow = t.IndexOfMaskDirect("GLOBALINFO", "BICONCLOSEGLOW0");
    ASSERT_TRUE(t.IsValidMaskIndex(glow));
    EXPECT_EQ(t.Masks[static_cast<std::size_t>(glow)].Bitmap->pixels.front(), c.glow) << c.keepHue;
  }
}

}  // namespace

}  // namespace klarvik
