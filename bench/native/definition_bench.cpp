// Loading a full skin definition (71 sections, image entries of every positional syntax,
// a 512 x 512 master bitmap and three PNG glows) against decoding its pictures alone.
// Prints the time of the definition's own work (load minus decoding) and its share of
// the decoding time: it must be small next to the decoding.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/native/time_recorder.h"
#include "skin/definition/skin_loader.h"
#include "skin/image/bmp_decoder.h"
#include "skin/image/pixel_rules.h"
#include "skin/image/png_decoder.h"
#include "tests/skin_core/definition_fixture.h"

using namespace klarvik;

using namespace definition_fixture;

namespace {

const char* const kSections[] = {
    "ALPHACOMBOBOX", "ALPHAEDIT", "BAR", "BARPANEL", "BARTITLE", "BUTTON", "BUTTON_BIG", "BUTTON_HUGE", "CHECKBOX",
    "COLHEADER", "COMBOBOX", "COMBOBTN", "DIALOG", "DIVIDER", "DIVIDERV", "DRAGBAR", "EDIT", "EXTRALINE", "FORM",
    "FORMTITLE", "GAUGE", "GRIPH", "GRIPV", "GROUPBOX", "HINT", "ICOLINE", "MAINMENU", "MDIAREA", "MENUBTN",
    "MENUCAPTION", "MENUITEM", "MENULINE", "PAGECONTROL", "PAGECONTROLBOTTOM", "PAGECONTROLLEFT", "PAGECONTROLRIGHT",
    "PANEL", "PANEL_LOW", "PROGRESSH", "PROGRESSV", "RADIOBUTTON", "RIBBONPAGE", "RIBBONTAB", "SCROLLBAR1H",
    "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLBTNTOP",
    "SCROLLSLIDERH", "SCROLLSLIDERV", "SELECTION", "SPEEDBUTTON", "SPEEDBUTTON_SMALL", "SPLITTER", "STATUSBAR",
    "TABBOTTOM", "TABLEFT", "TABRIGHT", "TABTOP", "TB_BTN", "TB_MENUBTN", "TB_TAB", "TOOLBAR", "TOOLBUTTON",
    "TRACKBAR", "UPDOWNBTN", "WEBBUTTON"};

std::string Four(int v) {
  char text[8];
  std::snprintf(text, sizeof text, "%04d", v % 10000);
  return text;
}

std::string Definition() {
  std::string d = "[GLOBALINFO]\nVERSION=8.40\nAUTHOR=Bench\nMASTERBITMAP=MASTER.BMP\nCOLOR=3487288\nFONTCOLOR=0\n"
                  "TITLEHEIGHT=26\nSHADOW1OFFSET=2\nBICONCLOSEGLOW0=!GLOW0.PNG!1!0!4\n";
  const char* globals[] = {"BICONCLOSE", "BICLOSEALONE", "BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP", "SICONCLOSE",
                           "SICONMAX", "SICONMIN", "SICONNORM", "BOXCHECKED", "BOXUNCHECKED", "BOXGRAYED",
                           "RADIOCHECKED", "RADIOUNCHECKED", "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED",
                           "GRIPIMAGE", "GRIPHORZ", "GRIPVERT", "TITLEBUTTON", "CHECK", "SICLOSEALONE"};
  int n = 0;
  for (const char* key : globals) {
    const int x = (n * 21) % 480, y = 400 + (n % 4) * 24;
    d += std::string(key) + "=@" + Four(x) + "@" + Four(y) + "@" + Four(x + 18) + "@" + Four(y + 20) + "@3@1\n";
    ++n;
  }
  n = 0;
  for (const char* section : kSections) {
    const int x = (n * 7) % 440, y = (n * 5) % 360;
    d += std::string("[") + section + "]\n";
    if (n % 2 == 1) d += "PARENTCLASS=" + std::string(kSections[n - 1]) + "\n";
    d += "STATES=" + std::to_string(1 + n % 3) + "\nCOLOR=" + std::to_string(0x303030 + n) +
         "\nFONTCOLOR=" + std::to_string(n * 1000) + "\nTCLEFT=-1\nTCTOP=-1\nHOTCOLOR=" + std::to_string(0x606060 + n) +
         "\nHOTFONTCOLOR=255\nTRANSPARENCY=" + std::to_string(n % 50) + "\nGRADIENTPERCENT=40\n"
         "GRADIENTDATA=3487288;1513239;97;0;0;1513239;1513239;0;0;0\nHOTGRADIENTPERCENT=60\n"
         "HOTGRADIENTDATA=3487288;1513239;50;1;0;1513239;3487288;50;1;0\nIMAGEPERCENT=0\nGLOW=0\nGLOWMARGIN=0\n"
         "FADINGENABLED=1\nFADINGITERATIONS=5\nGIVEOWNFONT=0\nSHOWFOCUS=1\n"
         "BORDERSMASK=^" + Four(x) + "^" + Four(y) + "^" + Four(x + 60) + "^" + Four(y + 40) +
         "^0004^0004^0004^0004^3^1^5^0\n"
         "PATTERN=~" + Four(x) + "~" + Four(y) + "~" + Four(x + 30) + "~" + Four(y + 30) + "~00\n"
         "HOTPATTERN=~" + Four(x + 2) + "~" + Four(y) + "~" + Four(x + 32) + "~" + Four(y + 30) + "~01\n";
    if (n % 10 == 0) d += "GLOW0=!GLOW" + std::to_string(n % 3) + ".PNG!1!0!3\n";
    ++n;
  }
  return d;
}

struct Skin {
  std::string definition = Definition();
  MemoryFiles files;
  std::vector<Bytes> pngs;
  Bytes master;
  Skin() {
    master = Bmp24(512, 512, [](int x, int y) { return (x % 60 == 0 && y % 40 == 0) ? 0xFF00FFu : (x * 131u + y * 71u) & 0xFFFFFFu; });
    files.Add("Master.bmp", master);
    for (int i = 0; i < 3; ++i) {
      pngs.push_back(RgbaPng(64, 64, [i](int x, int y) { return static_cast<std::uint32_t>((x * y + i) & 0xFF) << 24 | static_cast<std::uint32_t>(x * 4); }));
      files.Add("Glow" + std::to_string(i) + ".png", pngs.back());
    }
  }
};

const Skin& TheSkin() {
  static const Skin skin;
  return skin;
}

void BM_LoadDefinition(benchmark::State& state) {
  const Skin& skin = TheSkin();
  for (auto _ : state) {
    TsSkinTables tables = LoadSkinTables(skin.definition, skin.files, TsLoadSettings());
    benchmark::DoNotOptimize(tables.Masks.data());
  }
  const TsSkinTables tables = LoadSkinTables(skin.definition, skin.files, TsLoadSettings());
  state.counters["sections"] = static_cast<double>(tables.Sections.size());
  state.counters["entries"] = static_cast<double>(tables.Masks.size());
}

// The pictures the same load decodes: the master once, each "!" entry's PNG once per use.
void BM_DecodeImagesOnly(benchmark::State& state) {
  const Skin& skin = TheSkin();
  const int glowUses[] = {1 + 3, 2, 2};  // GLOBALINFO's GLOW0 and sections 0, 30, 60 / 10, 40 / 20, 50
  for (auto _ : state) {
    SkinBitmap master = DecodeBmp(skin.master);
    NormaliseTo32Bits(master);
    benchmark::DoNotOptimize(master.pixels.data());
    for (int i = 0; i < 3; ++i) {
      for (int use = 0; use < glowUses[i]; ++use) {
        SkinBitmap glow = DecodePng(skin.pngs[static_cast<std::size_t>(i)]);
        ApplyPngEntryRules(glow, PngAlphaRule::Premultiply);
        benchmark::DoNotOptimize(glow.pixels.data());
      }
    }
  }
}

BENCHMARK(BM_LoadDefinition)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeImagesOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimeRecorder reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  // A filter (for profiling) may leave one of the two out.
  if (reporter.Has("BM_LoadDefinition") && reporter.Has("BM_DecodeImagesOnly")) {
    const double load = reporter.Time("BM_LoadDefinition");
    const double images = reporter.Time("BM_DecodeImagesOnly");
    std::printf("definition tables (load minus decoding): %.1f us; decoding: %.1f us; tables / decoding: %.3f\n",
                load - images, images, (load - images) / images);
  }
  benchmark::Shutdown();
  return 0;
}
