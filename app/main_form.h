#pragma once
// TForm1: Klarvik's main window: the two measurements as labels and gauges, the
// start-up check box, Clean and Exit, the menu bar and the named actions.
#include <functional>
#include <string>
#include <vector>

#include "app/web_pages.h"
#include "controls/button.h"
#include "controls/check_box.h"
#include "controls/gauge.h"
#include "controls/label.h"
#include "runtime/actions.h"
#include "runtime/forms.h"
#include "runtime/menus.h"
#include "skin/manager/skin_manager.h"
#include "widgets/threaded_timer.h"
#include "window/skin_provider.h"

namespace klarvik {

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* AOwner);

  TsLabel* sLabel1;
  TsLabel* sLabel2;
  TsGauge* sGauge1;
  TsGauge* sGauge2;
  TsCheckBox* sCheckBox1;
  TsButton* sButton1;
  TsButton* sButton2;

  TMainMenu* MainMenu1;
  TMenuItem* F1;
  TMenuItem* N15;
  TMenuItem* N16;
  TMenuItem* N1;
  TMenuItem* N2;
  TMenuItem* N3;
  TMenuItem* A1;
  TMenuItem* N10;
  TMenuItem* N11;
  TMenuItem* N12;
  TMenuItem* N13;
  TMenuItem* N14;
  TMenuItem* A2;
  TMenuItem* N17;
  TMenuItem* E1;
  TMenuItem* E2;
  TMenuItem* E3;
  TMenuItem* E4;
  TMenuItem* E5;
  TMenuItem* E6;
  TMenuItem* E8;
  TMenuItem* E12;
  TMenuItem* N4;
  TMenuItem* N5;
  TMenuItem* N6;
  TMenuItem* N7;
  TMenuItem* G1;
  TMenuItem* N8;
  TMenuItem* N9;

  TsSkinManager* sSkinManager1;
  TsSkinProvider* sSkinProvider1;

  TActionList* ActionList1;
  TAction* SaveSkinSetting;
  TAction* LoadSkinSetting;
  TAction* GetTempSize;
  TAction* AddEntryToRegistryAuto;
  TAction* RemoveEntryFromRegistryAuto;
  TAction* CheckEntryToRegistryAuto;
  TAction* QuitNoSave;

  TThreadedTimer* ThreadedTimer1;

  // File names of the companion programs in ProgramFolder. Tests give their stand-ins
  // names of their own, so that test programs running side by side never end one
  // another's processes.
  std::wstring CleanerFileName = L"Sweepkin.exe";
  std::wstring SchedulerFileName = L"Clockrin.exe";

  void FormCreate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void GetTempSizeExecute(TObject* Sender);
  void QuitNoSaveExecute(TObject* Sender);
  void N15Click(TObject* Sender);

  // The Skin menu and the saved choice.
  void N3Click(TObject* Sender);
  void A1Click(TObject* Sender);
  void N10Click(TObject* Sender);
  void N11Click(TObject* Sender);
  void N12Click(TObject* Sender);
  void N13Click(TObject* Sender);
  void N14Click(TObject* Sender);
  void SaveSkinSettingExecute(TObject* Sender);
  void LoadSkinSettingExecute(TObject* Sender);

  // The cleaning run: Clean starts the cleaner, each tick asks whether it still runs.
  void sButton1Click(TObject* Sender);
  void ThreadedTimer1Timer(TObject* Sender);

  // Start-up cleaning and the Auto Clean period, kept in the Run key.
  bool HasAutorunEntry();
  void AddAutorunEntry();
  void RemoveAutorunEntry();
  void AddEntryToRegistryAutoExecute(TObject* Sender);
  void RemoveEntryFromRegistryAutoExecute(TObject* Sender);
  void CheckEntryToRegistryAutoExecute(TObject* Sender);
  void N17Click(TObject* Sender);
  void E1Click(TObject* Sender);
  void E2Click(TObject* Sender);
  void E3Click(TObject* Sender);
  void E4Click(TObject* Sender);
  void E5Click(TObject* Sender);
  void E6Click(TObject* Sender);
  void E8Click(TObject* Sender);
  void E12Click(TObject* Sender);
  // Help: the help file, the maker's home and support pages, the About box.
  void N5Click(TObject* Sender);
  void N7Click(TObject* Sender);
  void G1Click(TObject* Sender);
  void N9Click(TObject* Sender);
  // Closes every help window the program opened.
  void CloseHelpWindows();
  // Hands the maker's pages to the browser. Tests put a stand-in here, so that no browser
  // starts while they run.
  WebPageOpener OpenWebPageInBrowser = OpenInBrowser;
  // Exit: applies both choices, restarts the scheduler, and ends the program.
  void sButton2Click(TObject* Sender);

 protected:
  // Runs one start-up step; its failure goes to the application's handler. Virtual so
  // that tests can make any one step fail and see the next ones still run.
  virtual void RunStartupStep(const std::function<void()>& step);

  // Windows is logging off: say yes, and end without saving anything.
  void OnQueryEndSession(bool& allow) override;
  void OnEndSession(bool ending) override;

 private:
  void CreateControls();
  void CreateMainMenu();
  void CreateSkinManager();
  void CreateSkinProvider();
  void CreateActions();
  TMenuItem* AddMenuItem(TMenuItem* parent, const wchar_t* name, const wchar_t* caption);
  TMenuItem* AddRadioItem(TMenuItem* parent, const wchar_t* name, const wchar_t* caption, BYTE group);
  TAction* AddAction(const wchar_t* name);
  void CreateTimer();
  // The Skin menu's item of the stored skin at that index of kStoredSkins.
  TMenuItem* SkinMenuItem(std::size_t index) const;
  void ChooseStoredSkin(std::size_t index);
  void CheckSkinInUse();
  // Remembers a choice that Exit could not store, for the one message at the end.
  void NoteUnsaved(const std::wstring& setting);

  std::vector<std::wstring> unsavedSettings_;
  // From Clean until the run's final measurement.
  bool cleaningRun_ = false;
  // While Exit applies the choices.
  bool exiting_ = false;
};

extern TForm1* Form1;

}  // namespace klarvik
