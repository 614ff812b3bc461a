// The skin manager: which skin a name loads, the events and commands of a change, a
// failed load that leaves the previous skin in place, hue and saturation reloads, the
// skin list and the default manager.
#include <gtest/gtest.h>

#include "skin/definition/skin_version.h"
#include "skin/manager/skin_broadcast.h"
#include "tests/skin/skin_manager_fixture.h"
#include "win/text.h"

namespace klarvik::test {

namespace {

using Names = std::vector<std::wstring>;
using Events = std::vector<std::string>;

TEST_F(SkinManagerTest, ChoosingASkinLoadsAppliesAndTellsEveryWindowOnce) {
  RecordingForm(L"first");
  RecordingForm(L"second", true);
  manager_->SetSkinName(L"Basalt (internal)");
  EXPECT_TRUE(events_.empty()) << "an inactive manager only stores the name";
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(manager_->SkinInfo(), L"N/A");

  manager_->SetActive(true);
  EXPECT_EQ(events_, (Events{"before", "loading", "activate", "after"}));
  EXPECT_EQ(manager_->Tables().MainColor(), TColor{0xBB});
  EXPECT_EQ(manager_->SkinInfo(), L"8.4");
  // Last form first; a form's window, then its controls; a control that passes commands
  // on itself keeps its children to itself.
  const Names perCommand[] = {
      {L"second", L"second.panel", L"second.label"},
      {L"first", L"first.panel", L"first.panel.inner", L"first.label"},
  };
  Names expected;
  for (const wchar_t* command : {L"loaded", L"stop", L"applied"}) {
    for (const Names& form : perCommand) {
      for (const std::wstring& receiver : form) expected.push_back(receiver + L":" + command);
    }
  }
  EXPECT_EQ(Received(), expected);

  events_.clear();
  log_.clear();
  manager_->SetActive(true);
  EXPECT_TRUE(events_.empty()) << "switching on what is on does nothing";
  EXPECT_TRUE(log_.empty());
}

TEST_F(SkinManagerTest, SwitchingOffRemovesTheSkinEverywhere) {
  RecordingForm(L"form");
  manager_->SetSkinName(L"Amber (internal)");
  manager_->SetActive(true);
  events_.clear();
  log_.clear();
  manager_->SetActive(false);
  EXPECT_EQ(events_, (Events{"deactivate"}));
  EXPECT_EQ(Received(), (Names{L"form:removed", L"form.panel:removed", L"form.panel.inner:removed", L"form.label:removed"}));
  EXPECT_EQ(manager_->SkinInfo(), L"N/A");
  EXPECT_TRUE(manager_->Tables().Sections.empty());
  ASSERT_NE(manager_->Tables().MasterBitmap, nullptr) << "painters may always ask for the master bitmap";
  EXPECT_TRUE(manager_->Tables().MasterBitmap->Empty());
  EXPECT_EQ(manager_->SkinName(), L"Amber (internal)") << "the name stays for the next switch-on";
}

TEST_F(SkinManagerTest, NamesFindTheirSkinOrFallBackToTheFirstStoredSkin) {
  WriteBytes(directory_ + L"Packed.tpk", SmallPackage(SmallDefinition("$000011")));
  CreateDirectoryW((directory_ + L"Loose").c_str(), nullptr);
  WriteText(directory_ + L"Loose\\Options.dat", SmallDefinition("$000022"));
  WriteBytes(directory_ + L"Loose\\Master.bmp", SmallMasterBitmap());
  WriteBytes(directory_ + L"Basalt (internal).tpk", SmallPackage(SmallDefinition("$000033")));
  const struct {
    const wchar_t* asked;
    const wchar_t* name;
    TColor mainColor;
    bool fromPackage;
  } cases[] = {
      {L"Packed", L"Packed", TColor{0x11}, true},
      {L"Packed.TPK", L"Packed", TColor{0x11}, true},  // the ending in any letter case is dropped
      {L"Loose", L"Loose", TColor{0x22}, false},
      {L"Basalt (internal)", L"Basalt (internal)", TColor{0x33}, true},  // a file before the stored skin
      {L"Amber (internal)", L"Amber (internal)", TColor{0xAA}, true},
      {L"Nowhere", L"Amber (internal)", TColor{0xAA}, true},
  };
  manager_->SetActive(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.asked));
    manager_->SetSkinName(c.asked);
    EXPECT_EQ(manager_->SkinName(), c.name);
    EXPECT_EQ(manager_->Tables().MainColor(), c.mainColor);
    EXPECT_EQ(manager_->FromPackage(), c.fromPackage);
  }
  EXPECT_TRUE(MessageBoxPresser::Texts().empty());
}

TEST_F(SkinManagerTest, WithNoSkinToLoadTheManagerSwitchesItselfOff) {
  RecordingForm(L"form");
  manager_->SetSkinName(L"Amber (internal)");
  manager_->SetActive(true);
  while (manager_->InternalSkins().Count() > 0) manager_->InternalSkins().Delete(0);
  events_.clear();
  log_.clear();
  manager_->SetSkinName(L"Nowhere");
  EXPECT_FALSE(manager_->Active());
  EXPECT_EQ(events_, (Events{"before", "deactivate", "after"}));
  EXPECT_EQ(Received(), (Names{L"form:removed", L"form.panel:removed", L"form.panel.inner:removed", L"form.label:removed"}));
  EXPECT_EQ(manager_->SkinInfo(), L"N/A");
  EXPECT_TRUE(MessageBoxPresser::Texts().empty());
}

TEST_F(SkinManagerTest, CommonSectionsOverlayEverySkinWithoutBlanks) {
  manager_->SetSkinName(L"Amber (internal)");
  manager_->SetActive(true);
  events_.clear();
  manager_->SetCommonSections({"[BUTTON]", "COLOR = 255", "; a comment keeps its blanks"});
  EXPECT_EQ(manager_->CommonSections(), (std::vector<std::string>{"[BUTTON]", "COLOR=255", "; a comment keeps its blanks"}));
  EXPECT_EQ(events_, (Events{"before", "loading", "activate", "after"})) << "a full reload";
  const TsSkinTables& tables = manager_->Tables();
  EXPECT_EQ(tables.Sections[static_cast<std::size_t>(tables.IndexOfSection("BUTTON"))].Color, TColor{255});
}

TEST_F(SkinManagerTest, AFailedLoadShowsItsReasonAndKeepsThePreviousSkin) {
  WriteText(directory_ + L"Damaged.tpk", "PK\x03\x04 not a skin package");
  CreateDirectoryW((directory_ + L"Reaching").c_str(), nullptr);
  WriteText(directory_ + L"Reaching\\Options.dat", "[GLOBALINFO]\r\nMASTERBITMAP=C:\\Windows\\win.ini\r\n");
  manager_->InternalSkins().Add().SetName("Hollow (internal)");
  const struct {
    const wchar_t* name;
    const wchar_t* reason;
  } cases[] = {
      {L"Damaged", L"Loaded data is not a packed Tessel file"},
      {L"Reaching", L"C:\\Windows\\win.ini"},
      {L"Hollow (internal)", L"holds no package"},
  };
  RecordingForm(L"form");
  manager_->SetSkinName(L"Basalt (internal)");
  manager_->SetActive(true);
  const TsSkinTables& tables = manager_->Tables();
  const SkinBitmap* master = tables.MasterBitmap.get();
  const std::size_t sections = tables.Sections.size();
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.name));
    MessageBoxPresser presser;
    events_.clear();
    log_.clear();
    manager_->SetSkinName(c.name);
    ASSERT_EQ(MessageBoxPresser::Texts().size(), 1u);
    EXPECT_EQ(MessageBoxPresser::Captions()[0], L"Error");
    EXPECT_NE(MessageBoxPresser::Texts()[0].find(c.reason), std::wstring::npos) << ToUtf8(MessageBoxPresser::Texts()[0]);
    EXPECT_EQ(manager_->SkinName(), L"Basalt (internal)");
    EXPECT_EQ(&manager_->Tables(), &tables);
    EXPECT_EQ(tables.MasterBitmap.get(), master) << "the previous tables are kept, not rebuilt";
    EXPECT_EQ(tables.Sections.size(), sections);
    EXPECT_EQ(tables.MainColor(), TColor{0xBB});
    EXPECT_EQ(manager_->SkinInfo(), L"8.4");
    EXPECT_FALSE(TsSkinManager::SkinLoading());
    EXPECT_EQ(events_, (Events{"before", "activate", "after"}));
    EXPECT_EQ(log_.front().command, SKC_SKINLOADED) << "the previous skin is applied again";
  }
}

TEST_F(SkinManagerTest, HueAndSaturationReloadFromTheDefinitionEachTime) {
  manager_->SetSkinName(L"Amber (internal)");
  manager_->SetActive(true);
  const TColor own = manager_->Tables().MainColor();
  events_.clear();
  manager_->SetHueOffset(120);
  manager_->SetHueOffset(120);
  EXPECT_EQ(events_, (Events{"loading", "after"})) << "the same value reloads nothing";
  const TColor shifted = manager_->Tables().MainColor();
  EXPECT_NE(shifted, own);
  manager_->SetSaturation(-50);
  EXPECT_NE(manager_->Tables().MainColor(), shifted);
  manager_->SetSaturation(0);
  manager_->SetHueOffset(0);
  EXPECT_EQ(manager_->Tables().MainColor(), own) << "adjustments never accumulate";
  EXPECT_EQ(manager_->SkinInfo(), L"8.4");
}

TEST_F(SkinManagerTest, AReloadThatFailsLeavesNoLoadingFlagAndTheTablesAsTheyWere) {
  WriteBytes(directory_ + L"Packed.tpk", SmallPackage(SmallDefinition("$000011")));
  manager_->SetSkinName(L"Packed");
  manager_->SetActive(true);
  WriteText(directory_ + L"Packed.tpk", "damaged since");
  EXPECT_ANY_THROW(manager_->SetHueOffset(40));
  EXPECT_FALSE(TsSkinManager::SkinLoading());
  EXPECT_EQ(manager_->Tables().MainColor(), TColor{0x11});
  EXPECT_EQ(manager_->SkinInfo(), L"8.4");
}

TEST_F(SkinManagerTest, ANewerSkinLoadsAfterAWarning) {
  manager_->InternalSkins().Add().SetName("Future (internal)");
  manager_->InternalSkins().Items(2).SetData(SmallPackage(SmallDefinition("$000044", "9.10")));
  manager_->SetSkinName(L"Future (internal)");
  manager_->SetActive(true);
  ASSERT_EQ(MessageBoxPresser::Texts().size(), 1u);
  EXPECT_EQ(ToUtf8(MessageBoxPresser::Texts()[0]), kNewerSkinWarning);
  EXPECT_EQ(manager_->SkinningRules(), kAllSkinningRules) << "standard dialogs are skinned again after the warning";
  EXPECT_EQ(manager_->Tables().MainColor(), TColor{0x44});
}

TEST_F(SkinManagerTest, TheSkinListInterleavesStoredSkinsWithFoldersAndPackages) {
  for (const char* name : {"Zen (internal)", "aqua (internal)"}) manager_->InternalSkins().Add().SetName(name);
  CreateDirectoryW((directory_ + L"Aqua").c_str(), nullptr);
  WriteText(directory_ + L"Aqua\\Options.dat", "");
  CreateDirectoryW((directory_ + L"Empty").c_str(), nullptr);
  WriteText(directory_ + L"Zen.tpk", "");
  WriteText(directory_ + L"Loud.TPK", "");
  const struct {
    SkinListKind kind;
    Names names;
  } cases[] = {
      {SkinListKind::kFolders, {L"Amber (internal)", L"Aqua", L"aqua (internal)", L"Basalt (internal)", L"Zen (internal)"}},
      {SkinListKind::kPackages, {L"Amber (internal)", L"aqua (internal)", L"Basalt (internal)", L"Zen", L"Zen (internal)"}},
      {SkinListKind::kBoth, {L"Amber (internal)", L"Aqua", L"aqua (internal)", L"Basalt (internal)", L"Zen", L"Zen (internal)"}},
  };
  for (const auto& c : cases) {
    Names list = {L"left over"};
    EXPECT_EQ(manager_->SkinNames(list, c.kind), L"Amber (internal)");
    EXPECT_EQ(list, c.names) << static_cast<int>(c.kind);
  }
}

TEST_F(SkinManagerTest, TheSkinDirectoryResolvesAgainstTheProgramFolder) {
  int changes = 0;
  manager_->OnSkinListChanged = [&changes](TObject*) { ++changes; };
  manager_->ProgramFolder = L"C:\\Program Files\\Klarvik\\";
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L".\\Skins", L"C:\\Program Files\\Klarvik\\Skins\\"},
      {L"Skins", L"C:\\Program Files\\Klarvik\\Skins\\"},
      {L"D:", L"D:\\"},
  };
  for (const auto& [directory, resolved] : cases) {
    manager_->SetSkinDirectory(directory);
    EXPECT_EQ(manager_->ResolvedSkinDirectory(), resolved);
  }
  manager_->SetSkinDirectory(L"D:");
  EXPECT_EQ(changes, 3) << "only a different directory changes the list";
  manager_->InternalSkins().Add().SetName("Late (internal)");
  EXPECT_EQ(changes, 5) << "adding a stored skin and naming it change the list too";
}

TEST_F(SkinManagerTest, TheFirstManagerIsTheDefaultUntilAnotherIsMadeSo) {
  ASSERT_EQ(TsSkinManager::DefaultManager(), manager_);
  TsSkinManager second(nullptr);
  EXPECT_FALSE(second.IsDefault());
  second.SetIsDefault(false);
  EXPECT_TRUE(manager_->IsDefault()) << "declining does not take the default away";
  second.SetActive(false);
  second.SetIsDefault(true);
  EXPECT_TRUE(second.IsDefault());
  EXPECT_FALSE(manager_->IsDefault());
  manager_->SetIsDefault(true);
  EXPECT_TRUE(manager_->IsDefault());
}

TEST_F(SkinManagerTest, OptionsStartWithTheirDefaults) {
  EXPECT_EQ(manager_->Version(), L"8.46");
  EXPECT_EQ(manager_->MenuSupport.IcoLineSkin, L"ICOLINE") << "set once the manager finished loading";
  EXPECT_EQ(manager_->ThirdParty.Lists[ThirdPartyList::kButtons], L"TButton");
  EXPECT_EQ(manager_->ThirdParty.Lists[0], L" ");
  EXPECT_EQ(manager_->ScrollsOptions.ScrollSize, -1);
  EXPECT_EQ(manager_->AnimEffects.SkinChanging.Time, 0);
  EXPECT_EQ(manager_->AnimEffects.SkinChanging.Mode, TacAnimType::atFading);
  EXPECT_EQ(manager_->AnimEffects.Minimizing.Time, 200);
  EXPECT_FALSE(manager_->AnimEffects.BlendOnMoving.Active);
  TsSkinManager fresh(nullptr);
  EXPECT_EQ(fresh.SkinDirectory(), L"c:\\Skins");
  EXPECT_TRUE(fresh.Active());
}

}  // namespace

}  // namespace klarvik::test
