// Start-up cleaning and the Auto Clean period of the main window: read from the Run key
// at start, changed freely, and applied only by Exit.
#include <string>

#include "app/companions.h"
#include "app/main_form.h"
#include "app/program_folders.h"
#include "app/run_values.h"
#include "base/scope_exit.h"
#include "runtime/application.h"
#include "runtime/dialogs.h"
#include "win/text.h"

namespace klarvik {

namespace {

// The period items in the order every walk over them takes, with the scheduler's argument.
struct Period {
  TMenuItem* TForm1::*item;
  const wchar_t* argument;
};

constexpr Period kPeriods[] = {
    {&TForm1::E1, L"/auto1"}, {&TForm1::E2, L"/auto2"}, {&TForm1::E3, L"/auto3"},
    {&TForm1::E4, L"/auto4"}, {&TForm1::E5, L"/auto5"}, {&TForm1::E6, L"/auto6"},
    {&TForm1::E8, L"/auto8"}, {&TForm1::E12, L"/auto12"},
};

const wchar_t kStartupCleaning[] = L"Clean temporary files at Windows start-up";
const wchar_t kNoStartupCleaning[] = L"No cleaning at Windows start-up";

std::wstring AutoCleanSetting(const TMenuItem* item) { return L"Auto Clean: " + WithoutAccessKeys(item->Caption()); }

}  // namespace

bool TForm1::HasAutorunEntry() { return klarvik::RunValueExists(klarvik::kAutorunValueName); }

void TForm1::AddAutorunEntry() {
  const std::wstring command = klarvik::CompanionCommand(klarvik::ProgramFolder, CleanerFileName, L"/del");
  if (!klarvik::WriteRunValue(klarvik::kAutorunValueName, command)) NoteUnsaved(kStartupCleaning);
}

void TForm1::RemoveAutorunEntry() {
  if (!klarvik::DeleteRunValue(klarvik::kAutorunValueName)) NoteUnsaved(kNoStartupCleaning);
}

void TForm1::AddEntryToRegistryAutoExecute(TObject*) {
  for (const Period& period : kPeriods) {
    TMenuItem* item = this->*period.item;
    if (!item->Checked()) continue;
    const std::wstring command =
        klarvik::CompanionCommand(klarvik::ProgramFolder, SchedulerFileName, period.argument);
    if (!klarvik::WriteRunValue(klarvik::kTimerValueName, command)) NoteUnsaved(AutoCleanSetting(item));
  }
}

void TForm1::RemoveEntryFromRegistryAutoExecute(TObject*) {
  if (!klarvik::DeleteRunValue(klarvik::kTimerValueName)) NoteUnsaved(AutoCleanSetting(N17));
}

// A value from an older version names the path without quotes; it is still ours.
void TForm1::CheckEntryToRegistryAutoExecute(TObject*) {
  const std::wstring stored = klarvik::ReadRunValue(klarvik::kTimerValueName);
  for (const Period& period : kPeriods) {
    if (klarvik::CommandNames(stored, klarvik::ProgramFolder, SchedulerFileName, period.argument)) {
      (this->*period.item)->SetChecked(true);
    }
  }
}

void TForm1::N17Click(TObject*) { N17->SetChecked(true); }
void TForm1::E1Click(TObject*) { E1->SetChecked(true); }
void TForm1::E2Click(TObject*) { E2->SetChecked(true); }
void TForm1::E3Click(TObject*) { E3->SetChecked(true); }
void TForm1::E4Click(TObject*) { E4->SetChecked(true); }
void TForm1::E5Click(TObject*) { E5->SetChecked(true); }
void TForm1::E6Click(TObject*) { E6->SetChecked(true); }
void TForm1::E8Click(TObject*) { E8->SetChecked(true); }
void TForm1::E12Click(TObject*) { E12->SetChecked(true); }

void TForm1::NoteUnsaved(const std::wstring& setting) { unsavedSettings_.push_back(setting); }

// The old scheduler always goes first, so at most one runs afterwards: the one just
// started for the chosen period.
void TForm1::sButton2Click(TObject*) {
  // Processing pending messages below could deliver a second Exit click: it would run
  // the whole sequence again inside this one, stopping the scheduler just started.
  if (exiting_) return;
  exiting_ = true;
  const klarvik::ScopeExit exitOver([this] { exiting_ = false; });
  unsavedSettings_.clear();
  CloseHelpWindows();
  klarvik::TerminateProcessByName(SchedulerFileName);
  if (sCheckBox1->Checked()) {
    AddAutorunEntry();
  } else {
    RemoveAutorunEntry();
  }
  for (const Period& period : kPeriods) {
    if ((this->*period.item)->Checked()) AddEntryToRegistryAutoExecute(nullptr);
  }
  for (const Period& period : kPeriods) {
    if ((this->*period.item)->Checked()) {
      klarvik::StartCompanion(klarvik::ProgramFolder, SchedulerFileName, period.argument);
    }
  }
  if (N17->Checked()) RemoveEntryFromRegistryAutoExecute(nullptr);
  Application->ProcessMessages();
  // The user must not leave believing a choice was stored when it was not.
  if (!unsavedSettings_.empty()) {
    std::wstring message = L"These settings could not be saved in the registry and will not apply:\n";
    for (const std::wstring& setting : unsavedSettings_) message += L"\n" + setting;
    MessageDlg(message, TMsgDlgType::mtError, mbOK, 0);
  }
  Application->Terminate();
}

}  // namespace klarvik
