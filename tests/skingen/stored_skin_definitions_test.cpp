// What every stored skin's definition must hold, checked on the generator's output as the
// program would load it from a package: the sections the program's windows use, readable
// text everywhere, the versions, the member names, and Garnet's old-style master bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "skin/definition/skin_loader.h"
#include "skin/package/package_files.h"
#include "skin/package/package_writer.h"
#include "skin/package/skin_convertor.h"
#include "tools/skingen/contrast.h"
#include "tools/skingen/skin_builder.h"
#include "tools/skingen/stored_skins.h"

namespace klarvik {
namespace {

struct LoadedSkin {
  std::string folder;
  std::vector<SkinFile> files;
  std::unique_ptr<TacSkinConvertor> package;
  TsSkinTables tables;
};

LoadedSkin Load(const SkinRecipe& recipe) {
  LoadedSkin skin{recipe.folder, BuildSkin(recipe), nullptr, {}};
  std::vector<TacPackageMember> members;
  for (const SkinFile& file : skin.files) members.push_back({file.name, file.bytes});
  ReadStoredPackage(WritePackage(members), skin.package);
  const std::vector<std::uint8_t>& definition = *skin.package->OptionsStream();
  skin.tables = LoadSkinTables(std::string(definition.begin(), definition.end()), TacPackageFiles(*skin.package), {});
  return skin;
}

const std::vector<LoadedSkin>& Skins() {
  static const std::vector<LoadedSkin> skins = [] {
    std::vector<LoadedSkin> loaded;
    for (const SkinRecipe& recipe : StoredSkinRecipes()) loaded.push_back(Load(recipe));
    return loaded;
  }();
  return skins;
}

std::string DefinitionOf(const LoadedSkin& skin) {
  const std::vector<std::uint8_t>& bytes = skin.files.front().bytes;
  return std::string(bytes.begin(), bytes.end());
}

TEST(StoredSkinDefinitions, HoldTheFilesOfTheStoredSkinsTable) {
  const std::map<std::string, std::set<std::string>> expected = {
      {"Afterburner", {"Options.dat", "ButtonHuge.bmp", "Master.bmp"}},
      {"BlueGauze", {"Options.dat", "ButtonHuge.bmp", "Master.bmp"}},
      {"FalloutStyle", {"Options.dat", "ButtonHuge.bmp", "Master.bmp", "fBG.jpg"}},
      {"Garnet", {"Options.dat", "Huge.bmp", "Master.bmp", "CloseAG.png", "CloseG.png", "MaxG.png", "MinG.png", "NormG.png"}},
      {"Matrix", {"Options.dat", "ButtonHuge.bmp", "Master.bmp", "CloseBtnGlow.png", "ExBord.png", "GlowingBtn.png",
                  "GlowingHugeBtn.png", "MaxBtnGlow.png", "MinBtnGlow.png", "NormalBtnGlow.png"}},
      {"Steam2", {"Options.dat", "ButtonHuge.bmp", "Master.bmp", "steam_top.bmp", "Glow_Button.png"}}};
  std::set<std::string> folders;
  for (const LoadedSkin& skin : Skins()) {
    folders.insert(skin.folder);
    std::set<std::string> names;
    for (const SkinFile& file : skin.files) names.insert(file.name);
    EXPECT_EQ(names, expected.at(skin.folder)) << skin.folder;
    EXPECT_EQ(skin.files.front().name, "Options.dat") << skin.folder;
  }
  EXPECT_EQ(folders.size(), expected.size());
}

TEST(StoredSkinDefinitions, DefineEverySectionTheProgramsWindowsUse) {
  const char* const sections[] = {
      "GLOBALINFO", "FORM", "FORMTITLE", "CAPTION", "DIALOG", "MAINMENU", "MENUITEM", "MENULINE", "ICOLINE", "MENUBTN",
      "SELECTION", "BUTTON", "BUTTON_HUGE", "SPEEDBUTTON_SMALL", "TOOLBUTTON", "CHECKBOX", "GAUGE", "PROGRESSH",
      "PROGRESSV", "SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V", "SCROLLBTNLEFT", "SCROLLBTNRIGHT",
      "SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLSLIDERH", "SCROLLSLIDERV", "EDIT", "COMBOBOX", "COMBOBTN", "PANEL",
      "PANEL_LOW", "GROUPBOX", "WEBBUTTON", "STATUSBAR", "HINT", "PAGECONTROL", "TABTOP", "TABBOTTOM", "TABLEFT",
      "TABRIGHT", "TRACKBAR", "TOOLBAR"};
  for (const LoadedSkin& skin : Skins()) {
    for (const char* section : sections) EXPECT_GE(skin.tables.IndexOfSection(section), 0) << skin.folder << " " << section;
  }
}

// Images every skin draws, found directly or through a parent section.
TEST(StoredSkinDefinitions, FindTheImagesOfEveryDrawnElement) {
  const std::pair<const char*, const char*> images[] = {
      {"GLOBALINFO", "BICONCLOSE"}, {"GLOBALINFO", "BICLOSEALONE"}, {"GLOBALINFO", "BICONMAX"}, {"GLOBALINFO", "BICONMIN"},
      {"GLOBALINFO", "BICONNORM"}, {"GLOBALINFO", "SICONCLOSE"}, {"GLOBALINFO", "BOXCHECKED"}, {"GLOBALINFO", "BOXUNCHECKED"},
      {"GLOBALINFO", "BOXGRAYED"}, {"GLOBALINFO", "RADIOCHECKED"}, {"GLOBALINFO", "RADIOUNCHECKED"},
      {"GLOBALINFO", "GRIPIMAGE"}, {"GLOBALINFO", "TITLEBUTTON"}, {"FORM", "BORDERSMASK"}, {"FORMTITLE", "BORDERSMASK"},
      {"DIALOG", "BORDERSMASK"}, {"BUTTON", "BORDERSMASK"}, {"BUTTON_HUGE", "BORDERSMASK"}, {"TOOLBUTTON", "BORDERSMASK"},
      {"GAUGE", "BORDERSMASK"}, {"PROGRESSH", "BORDERSMASK"}, {"PROGRESSH", "LRGN"}, {"PROGRESSV", "LRGN"},
      {"SCROLLBTNLEFT", "GLYPHMASK"}, {"SCROLLBTNBOTTOM", "GLYPHMASK"}, {"SCROLLSLIDERV", "GLYPHMASK"},
      {"SCROLLBAR2V", "BORDERSMASK"}, {"COMBOBOX", "GLYPHMASK"}, {"EDIT", "BORDERSMASK"}, {"MENUITEM", "BORDERSMASK"},
      {"TABRIGHT", "BORDERSMASK"}, {"TRACKBAR", "SLIDERMASK"}};
  for (const LoadedSkin& skin : Skins()) {
    for (const auto& [section, key] : images) {
      EXPECT_TRUE(skin.tables.IsValidMaskIndex(skin.tables.IndexOfMask(skin.tables.IndexOfSection(section), section, key)))
          << skin.folder << " " << section << "." << key;
    }
  }
}

// Every text colour against every colour its section paints under it, hot state included.
TEST(StoredSkinDefinitions, KeepTextReadableOnEverySectionBackground) {
  for (const LoadedSkin& skin : Skins()) {
    for (const TsGeneralData& section : skin.tables.Sections) {
      for (int state = 0; state < 2; ++state) {
        const TsGenState& look = section.StateProps[state];
        std::vector<TColor> backgrounds = {look.Color};
        if (look.GradientPercent > 0) {
          for (const TsGradStep& step : *look.GradientArray) backgrounds.insert(backgrounds.end(), {step.Color1, step.Color2});
        }
        for (TColor background : backgrounds) {
          EXPECT_GE(ContrastRatio(look.FontColors[0], background), kReadableContrast)
              << skin.folder << " [" << section.SectionName << "] state " << state << ": text " << look.FontColors[0]
              << " on " << background;
        }
      }
    }
  }
}

// The pressed look has no record of its own in the tables: its colours come from the recipe.
TEST(StoredSkinDefinitions, KeepPressedAndLinkTextReadable) {
  for (const SkinRecipe& recipe : StoredSkinRecipes()) {
    const SkinColours& c = recipe.colours;
    for (const Surface* surface : {&c.button, &c.buttonHot, &c.buttonPressed, &c.selection, &c.field, &c.hint}) {
      for (TColor background : {surface->fill.top, surface->fill.bottom}) {
        EXPECT_GE(ContrastRatio(surface->text, background), kReadableContrast) << recipe.folder;
      }
    }
    for (TColor link : {c.link, c.linkHot}) {
      for (TColor background : {c.window.fill.top, c.window.fill.bottom}) {
        EXPECT_GE(ContrastRatio(link, background), kReadableContrast) << recipe.folder << " link";
      }
    }
  }
}

TEST(StoredSkinDefinitions, WriteTheirVersionAndMemberNamesAsTheProgramReadsThem) {
  for (const LoadedSkin& skin : Skins()) {
    const std::string text = DefinitionOf(skin);
    const bool steam2 = skin.folder == "Steam2";
    EXPECT_NE(text.find(steam2 ? "\r\nVERSION=8.40\r\n" : "\r\nVERSION=8.00\r\n"), std::string::npos) << skin.folder;
    EXPECT_DOUBLE_EQ(skin.tables.SkinData.Version, steam2 ? 8.4 : 8.0) << skin.folder;
    // A member name written in lower case would find no member of a package.
    EXPECT_FALSE(skin.tables.MasterBitmap->Empty()) << skin.folder;
    for (const SkinFile& file : skin.files) {
      if (file.name == "Options.dat") continue;
      std::string upper = file.name;
      std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
      EXPECT_NE(text.find(upper), std::string::npos) << skin.folder << " never names " << file.name;
    }
  }
}

TEST(StoredSkinDefinitions, GarnetsMasterBitmapHasTheCoreHeader) {
  for (const LoadedSkin& skin : Skins()) {
    const auto master = std::find_if(skin.files.begin(), skin.files.end(), [](const SkinFile& f) { return f.name == "Master.bmp"; });
    ASSERT_NE(master, skin.files.end()) << skin.folder;
    ASSERT_GT(master->bytes.size(), 18u);
    EXPECT_EQ(master->bytes[14], skin.folder == "Garnet" ? 12 : 40) << skin.folder;
  }
}

}  // namespace
}  // namespace klarvik
