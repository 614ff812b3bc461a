// The Skin menu: each choice takes effect at once, settings.ini mirrors it, and the next
// start restores it; anything but an exact stored name restores the standard look.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/program_folders.h"
#include "app/status_form.h"
#include "app/stored_skins.h"
#include "tests/app/front_end_fixture.h"
#include "tests/support/runtime_test_support.h"
#include "tests/support/scratch_env.h"
#include "win/text.h"

namespace klarvik::test {
namespace {

class SkinChoiceTest : public FrontEndTest {
 protected:
  void SetUp() override {
    FrontEndTest::SetUp();
    InitProgramFolders();
    DeleteFileW(SettingsFile().c_str());
  }
  void TearDown() override {
    DeleteFileW(SettingsFile().c_str());
    FrontEndTest::TearDown();
  }

  static std::wstring SettingsFile() { return SettingsFolder + L"settings.ini"; }
  static std::string SettingsText() {
    std::ifstream file(std::filesystem::path(SettingsFile()), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  static void StoreSetting(const std::string& text) { std::ofstream(std::filesystem::path(SettingsFile()), std::ios::binary) << text; }

  // The checked item of the Skin menu, by caption.
  static std::wstring CheckedSkinItem(TForm1* form) {
    for (TMenuItem* item : {form->N3, form->A1, form->N10, form->N11, form->N12, form->N13, form->N14}) {
      if (item->Checked()) return item->Caption();
    }
    return L"";
  }
};

TEST_F(SkinChoiceTest, AFirstStartShowsTheStandardLook) {
  TForm1* form = Open();
  EXPECT_FALSE(form->sSkinManager1->Active());
  EXPECT_EQ(form->sSkinManager1->SkinInfo(), L"N/A");
  EXPECT_EQ(CheckedSkinItem(form), L"&No Skin");
  EXPECT_EQ(GetFileAttributesW(SettingsFile().c_str()), INVALID_FILE_ATTRIBUTES) << "starting writes nothing";
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(SkinChoiceTest, EachChoiceAppliesAtOnceAndIsSaved) {
  TForm1* form = Open();
  const struct {
    TMenuItem* item;
    const char* stored;  // the TYPE value
    const wchar_t* info;
  } cases[] = {
      {form->A1, "Afterburner (internal)", L"8"},      {form->N10, "BlueGauze (internal)", L"8"},
      {form->N11, "FalloutStyle (internal)", L"8"},    {form->N12, "Garnet (internal)", L"8"},
      {form->N13, "Matrix (internal)", L"8"},          {form->N14, "Steam2 (internal)", L"8.4"},
      {form->N14, "Steam2 (internal)", L"8.4"},  // again: the same value, written again
      {form->N3, "NIL", L"N/A"},
      {form->N12, "Garnet (internal)", L"8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    c.item->Click();
    EXPECT_TRUE(c.item->Checked());
    EXPECT_EQ(SettingsText(), std::string("[SKIN]\r\nTYPE=").append(c.stored).append("\r\n"));
    EXPECT_EQ(form->sSkinManager1->SkinInfo(), c.info);
    if (c.item != form->N3) {
      EXPECT_EQ(ToUtf8(form->sSkinManager1->SkinName()), c.stored);
    }
  }
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(SkinChoiceTest, AStartRestoresOnlyAnExactStoredName) {
  const struct {
    const char* file;
    const wchar_t* checked;
    const wchar_t* skinName;  // empty: the standard look
  } cases[] = {
      {"[SKIN]\r\nTYPE=Matrix (internal)\r\n", L"&Matrix", L"Matrix (internal)"},
      {"[SKIN]\r\nTYPE=Afterburner (internal)\r\n", L"&Afterburner", L"Afterburner (internal)"},
      {"[SKIN]\r\nTYPE=matrix (internal)\r\n", L"&No Skin", L""},
      {"[SKIN]\r\nTYPE=NIL\r\n", L"&No Skin", L""},
      {"[SKIN]\r\nTYPE=Aqua\r\n", L"&No Skin", L""},
      {"[OTHER]\r\nTYPE=Garnet (internal)\r\n", L"&No Skin", L""},
      {"\xFF\xFE garbage", L"&No Skin", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    StoreSetting(c.file);
    TForm1* form = Open();
    EXPECT_EQ(CheckedSkinItem(form), c.checked);
    EXPECT_EQ(form->sSkinManager1->Active(), *c.skinName != L'\0');
    if (*c.skinName) {
      EXPECT_EQ(form->sSkinManager1->SkinName(), c.skinName);
    }
    EXPECT_EQ(SettingsText(), c.file) << "restoring writes nothing";
    Free(form);
    Free(StatusForm1);
    StatusForm1 = nullptr;
  }
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(SkinChoiceTest, AnUnwritableSettingsFileIsReportedAfterTheSkinHasSwitched) {
  TForm1* form = Open();
  const std::wstring saved = SettingsFolder;
  SettingsFolder = FreshScratchFolder(L"skin settings") + L"missing\\";
  // Chosen through the window's menu, as the user does: the error reaches the application's handler.
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(form->N13->Command(), 0), 0);
  const std::wstring path = SettingsFolder + L"settings.ini";
  SettingsFolder = saved;
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0], ToUtf8(L"Unable to write to " + path));
  EXPECT_TRUE(form->N13->Checked());
  EXPECT_TRUE(form->sSkinManager1->Active());
  EXPECT_EQ(form->sSkinManager1->SkinName(), L"Matrix (internal)");
}

TEST_F(SkinChoiceTest, ADamagedSkinInTheSkinsFolderKeepsThePreviousSkinAndItsCheckMark) {
  TForm1* form = Open();
  form->N12->Click();
  const std::wstring folder = FreshScratchFolder(L"skin choice program");
  form->sSkinManager1->ProgramFolder = folder;
  CreateDirectoryW((folder + L"Skins").c_str(), nullptr);
  std::ofstream(std::filesystem::path(folder + L"Skins\\Matrix (internal).tpk"), std::ios::binary) << "TLzf damaged";
  const SkinBitmap* garnetMaster = form->sSkinManager1->Tables().MasterBitmap.get();
  MessageBoxPresser presser;
  form->N13->Click();
  ASSERT_EQ(MessageBoxPresser::Texts().size(), 1u);
  EXPECT_EQ(MessageBoxPresser::Captions()[0], L"Error");
  EXPECT_FALSE(MessageBoxPresser::Texts()[0].empty());
  EXPECT_EQ(form->sSkinManager1->SkinName(), L"Garnet (internal)");
  EXPECT_EQ(form->sSkinManager1->Tables().MasterBitmap.get(), garnetMaster) << "Garnet's tables stay";
  EXPECT_EQ(form->sSkinManager1->SkinInfo(), L"8");
  EXPECT_TRUE(form->N12->Checked());
  EXPECT_FALSE(form->N13->Checked());
  EXPECT_EQ(SettingsText(), "[SKIN]\r\nTYPE=Garnet (internal)\r\n");
  RemoveTree(folder);
}

TEST_F(SkinChoiceTest, SwitchingSkinsLeavesNoGdiObjectsBehind) {
  TForm1* form = Open();
  form->Show();
  TMenuItem* const items[] = {form->A1, form->N10, form->N11, form->N12, form->N13, form->N14, form->N3};
  auto round = [&] {
    for (TMenuItem* item : items) {
      item->Click();
      UpdateWindow(form->Handle());
      app_->ProcessMessages();
    }
  };
  round();  // the first round makes what stays: fonts, brushes, the picture decoder's objects
  const int before = LiveGdiObjects();
  for (int i = 0; i < 3; ++i) round();
  EXPECT_EQ(LiveGdiObjects(), before);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(SkinChoiceTest, TheProgramCarriesTheSixSkinsInMenuOrder) {
  TForm1* form = Open();
  TsStoredSkins& skins = form->sSkinManager1->InternalSkins();
  ASSERT_EQ(skins.Count(), 6);
  for (int i = 0; i < skins.Count(); ++i) {
    EXPECT_EQ(skins.Items(i).Name(), kStoredSkins[static_cast<std::size_t>(i)].name);
    EXPECT_FALSE(skins.Items(i).Data().empty()) << skins.Items(i).Name();
  }
  EXPECT_EQ(form->sSkinManager1->SkinDirectory(), L".\\Skins");
  EXPECT_EQ(form->sSkinManager1->ResolvedSkinDirectory(), ProgramFolder + L"Skins\\");
}

}  // namespace
}  // namespace klarvik::test
