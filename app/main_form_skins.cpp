// The Skin menu: the choice of a stored skin or the standard look, saved at once in
// settings.ini and restored when the main window is made.
#include "app/main_form.h"

#include "app/program_folders.h"
#include "app/skin_background.h"
#include "app/status_form.h"
#include "app/stored_skins.h"
#include "runtime/ini_file.h"
#include "win/text.h"

namespace klarvik {

namespace {

constexpr wchar_t kSkinSection[] = L"SKIN";
constexpr wchar_t kSkinKey[] = L"TYPE";
constexpr wchar_t kNoSkin[] = L"NIL";

TIniFile SkinSettings() { return TIniFile(SettingsFolder + L"settings.ini"); }

}  // namespace

void TForm1::CreateSkinManager() {
  sSkinManager1 = new TsSkinManager(this);
  sSkinManager1->SetName(L"sSkinManager1");
  AddStoredSkins(sSkinManager1->InternalSkins());
  sSkinManager1->MenuSupport.IcoLineSkin = L"ICOLINE";
  sSkinManager1->ThirdParty.Lists[ThirdPartyList::kButtons] = L"TButton";
  sSkinManager1->ThirdParty.Lists[ThirdPartyList::kVirtualTrees] = L" \r\nTAdvTaskDialog";
  sSkinManager1->ThirdParty.Lists[ThirdPartyList::kPageControl] = L" \r\nTAdvTaskDialogEx";
  // Skins dropped into the program's own Skins folder can stand in for the stored ones.
  sSkinManager1->SetSkinDirectory(L".\\Skins");
  sSkinManager1->SetSkinName(L"Steam2 (internal)");
  // The status window has no provider; it follows the skin's colours itself.
  sSkinManager1->OnAfterChange = [](TObject*) {
    if (StatusForm1) FollowSkinBackground(*StatusForm1);
  };
  sSkinManager1->OnDeactivate = sSkinManager1->OnAfterChange;
}

void TForm1::CreateSkinProvider() {
  sSkinProvider1 = new TsSkinProvider(this);
  sSkinProvider1->SetName(L"sSkinProvider1");
  sSkinProvider1->MakeSkinMenu = true;
}

TMenuItem* TForm1::SkinMenuItem(std::size_t index) const {
  TMenuItem* const items[] = {A1, N10, N11, N12, N13, N14};
  return items[index];
}

void TForm1::ChooseStoredSkin(std::size_t index) {
  sSkinManager1->SetSkinName(FromUtf8(kStoredSkins[index].name));
  sSkinManager1->SetActive(true);
  CheckSkinInUse();
  SaveSkinSettingExecute(nullptr);
}

// The check mark follows the skin in use, not the click: a skin that failed to load
// leaves the previous one in place, and its item stays checked.
void TForm1::CheckSkinInUse() {
  if (!sSkinManager1->Active()) {
    N3->SetChecked(true);
    return;
  }
  for (std::size_t i = 0; i < kStoredSkins.size(); ++i) {
    if (sSkinManager1->SkinName() == FromUtf8(kStoredSkins[i].name)) SkinMenuItem(i)->SetChecked(true);
  }
}

void TForm1::N3Click(TObject*) {
  sSkinManager1->SetActive(false);
  N3->SetChecked(true);
  SaveSkinSettingExecute(nullptr);
}

void TForm1::A1Click(TObject*) { ChooseStoredSkin(0); }
void TForm1::N10Click(TObject*) { ChooseStoredSkin(1); }
void TForm1::N11Click(TObject*) { ChooseStoredSkin(2); }
void TForm1::N12Click(TObject*) { ChooseStoredSkin(3); }
void TForm1::N13Click(TObject*) { ChooseStoredSkin(4); }
void TForm1::N14Click(TObject*) { ChooseStoredSkin(5); }

void TForm1::SaveSkinSettingExecute(TObject*) {
  // Without an application-data folder nothing is stored: a bare "settings.ini" would
  // land in the Windows folder.
  if (SettingsFolder.empty()) return;
  SkinSettings().WriteString(kSkinSection, kSkinKey, sSkinManager1->Active() ? sSkinManager1->SkinName() : kNoSkin);
}

void TForm1::LoadSkinSettingExecute(TObject*) {
  const std::wstring stored = SettingsFolder.empty() ? kNoSkin : SkinSettings().ReadString(kSkinSection, kSkinKey, kNoSkin);
  sSkinManager1->SetActive(true);
  for (std::size_t i = 0; i < kStoredSkins.size(); ++i) {
    const std::wstring name = FromUtf8(kStoredSkins[i].name);
    if (stored != name) continue;
    sSkinManager1->SetSkinName(name);
    SkinMenuItem(i)->SetChecked(true);
    return;
  }
  sSkinManager1->SetActive(false);
  N3->SetChecked(true);
}

}  // namespace klarvik
