// Start-up cleaning and the Auto Clean period: what the main window reads from the Run
// key at start, and what Exit writes, deletes, stops and starts; the close button
// applies nothing. The companions are stand-ins with names of this test process.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/companions.h"
#include "app/program_folders.h"
#include "tests/app/front_end_fixture.h"
#include "tests/fixtures/dummy_child.h"

namespace klarvik::test {
namespace {

using namespace std::chrono_literals;
using Text = std::optional<std::wstring>;

std::vector<std::wstring> CheckedAutoCleanItems(TForm1* form) {
  std::vector<std::wstring> checked;
  for (int i = 0; i < form->A2->Count(); ++i) {
    if (form->A2->Items(i)->Checked()) checked.push_back(form->A2->Items(i)->Name());
  }
  return checked;
}

TMenuItem* AutoCleanItem(TForm1* form, const std::wstring& name) {
  for (int i = 0; i < form->A2->Count(); ++i) {
    if (form->A2->Items(i)->Name() == name) return form->A2->Items(i);
  }
  return nullptr;
}

// "{folder}" in a case's text stands for the program folder of the window under test.
std::wstring WithFolder(std::wstring text, const std::wstring& folder) {
  const std::wstring mark = L"{folder}";
  for (std::size_t at; (at = text.find(mark)) != std::wstring::npos;) text.replace(at, mark.size(), folder);
  return text;
}

// ---- Start ----

struct StartCase {
  const char* what;
  const wchar_t* autorun;  // nullptr: no value
  const wchar_t* timer;    // nullptr: no value
  bool readOnlyKey;
  bool boxChecked;
  const wchar_t* autoClean;
};

void PrintTo(const StartCase& c, std::ostream* out) { *out << c.what; }

class StartingMainWindow : public FrontEndTest, public testing::WithParamInterface<StartCase> {};

TEST_P(StartingMainWindow, ShowsTheStoredChoices) {
  const StartCase& c = GetParam();
  InitProgramFolders();  // the folder the window's start-up finds for this test program
  const std::wstring folder = ProgramFolder;
  if (c.autorun) StoreRunValue(L"Klarvik Autorun", WithFolder(c.autorun, folder));
  if (c.timer) StoreRunValue(L"Klarvik Timer", WithFolder(c.timer, folder));
  std::optional<ReadOnlyRunKey> readOnly;
  if (c.readOnlyKey) {
    ASSERT_TRUE(readOnly.emplace().Applied());
  }

  TForm1* form = Open();

  EXPECT_EQ(form->sCheckBox1->Checked(), c.boxChecked);
  EXPECT_EQ(CheckedAutoCleanItems(form), std::vector<std::wstring>{c.autoClean});
  EXPECT_TRUE(errors_.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartingMainWindow,
    testing::Values(
        StartCase{"NoValues", nullptr, nullptr, false, false, L"N17"},
        StartCase{"AutorunWithAnyData", L"whatever was written", nullptr, false, true, L"N17"},
        StartCase{"AutorunEmpty", L"", nullptr, false, true, L"N17"},
        StartCase{"TimerQuoted8", nullptr, LR"("{folder}Clockrin.exe" /auto8)", false, false, L"E8"},
        StartCase{"TimerUnquotedFromOlderVersion", nullptr, L"{folder}Clockrin.exe /auto8", false, false, L"E8"},
        StartCase{"Timer1IsNot12", nullptr, LR"("{folder}Clockrin.exe" /auto1)", false, false, L"E1"},
        StartCase{"Timer12IsNot1", nullptr, LR"("{folder}Clockrin.exe" /auto12)", false, false, L"E12"},
        StartCase{"TimerArgumentInOtherCase", nullptr, LR"("{folder}Clockrin.exe" /AUTO8)", false, false, L"N17"},
        StartCase{"TimerUnknownPeriod", nullptr, LR"("{folder}Clockrin.exe" /auto7)", false, false, L"N17"},
        StartCase{"TimerFromAnotherFolder", nullptr, LR"("C:\Elsewhere\Clockrin.exe" /auto8)", false, false, L"N17"},
        StartCase{"BothValues", L"x", LR"("{folder}Clockrin.exe" /auto3)", false, true, L"E3"},
        // A key the user may read but not change still shows what it holds.
        StartCase{"ReadOnlyKey", L"x", LR"("{folder}Clockrin.exe" /auto5)", true, true, L"E5"}),
    [](const auto& testCase) { return std::string(testCase.param.what); });

// ---- Exit ----

struct PeriodCase {
  const wchar_t* item;
  const wchar_t* argument;  // nullptr for Never
};

void PrintTo(const PeriodCase& c, std::ostream* out) {
  *out << std::string(c.item, c.item + wcslen(c.item));
}

class ExitingWithAPeriod : public FrontEndTest, public testing::WithParamInterface<PeriodCase> {};

// Whatever ran before is stopped; afterwards exactly the scheduler of the chosen
// period runs (none for Never), and the Timer value names it.
TEST_P(ExitingWithAPeriod, StoresThePeriodAndRestartsTheScheduler) {
  const PeriodCase& c = GetParam();
  StoreRunValue(L"Klarvik Timer", L"older period");
  TForm1* form = Open();
  UseStandIns(form);
  const std::wstring scheduler = programFolder_ + scheduler_;
  StartCompanion(programFolder_, scheduler_, L"/auto3");
  // Running its own code, not only listed: it has logged its argument.
  ASSERT_TRUE(PumpUntil([&] { return ProcessesAt(scheduler).size() == 1 && LoggedArguments(log_).size() == 1; }, 5s));
  const DWORD old = ProcessesAt(scheduler)[0];

  AutoCleanItem(form, c.item)->Click();
  form->Show();
  SendMessageW(form->sButton2->Handle(), BM_CLICK, 0, 0);

  EXPECT_TRUE(app_->Terminated());
  const std::vector<DWORD> running = ProcessesAt(scheduler);
  EXPECT_EQ(std::find(running.begin(), running.end(), old), running.end()) << "the old scheduler still runs";
  if (c.argument) {
    EXPECT_EQ(StoredRunValue(L"Klarvik Timer"), Text(CompanionCommand(programFolder_, scheduler_, c.argument)));
    EXPECT_EQ(running.size(), 1u);
    EXPECT_TRUE(PumpUntil([&] { return LoggedArguments(log_).size() == 2; }, 5s));
    EXPECT_EQ(LoggedArguments(log_), (std::vector<std::wstring>{L"/auto3", c.argument}));
  } else {
    EXPECT_EQ(StoredRunValue(L"Klarvik Timer"), std::nullopt);
    EXPECT_TRUE(running.empty());
    EXPECT_EQ(LoggedArguments(log_), std::vector<std::wstring>{L"/auto3"});
  }
  EXPECT_TRUE(errors_.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryItem, ExitingWithAPeriod,
                         testing::Values(PeriodCase{L"N17", nullptr}, PeriodCase{L"E1", L"/auto1"},
                                         PeriodCase{L"E2", L"/auto2"}, PeriodCase{L"E3", L"/auto3"},
                                         PeriodCase{L"E4", L"/auto4"}, PeriodCase{L"E5", L"/auto5"},
                                         PeriodCase{L"E6", L"/auto6"}, PeriodCase{L"E8", L"/auto8"},
                                         PeriodCase{L"E12", L"/auto12"}),
                         [](const auto& testCase) { return std::string(testCase.param.item, testCase.param.item + wcslen(testCase.param.item)); });


struct StartupChoiceCase {
  const char* what;
  const wchar_t* before;  // nullptr: no value
  bool checked;
  bool written;  // afterwards: the cleaner's command from this folder, else no value
};

void PrintTo(const StartupChoiceCase& c, std::ostream* out) { *out << c.what; }

class ExitingWithTheStartupChoice : public FrontEndTest, public testing::WithParamInterface<StartupChoiceCase> {};

TEST_P(ExitingWithTheStartupChoice, WritesOrDeletesTheAutorunValue) {
  const StartupChoiceCase& c = GetParam();
  if (c.before) StoreRunValue(L"Klarvik Autorun", c.before);
  TForm1* form = Open();
  UseStandIns(form);
  form->sCheckBox1->SetChecked(c.checked);
  MessageBoxPresser presser;

  form->N1->Click();  // the File menu's Exit

  EXPECT_TRUE(app_->Terminated());
  const Text expected = c.written ? Text(CompanionCommand(programFolder_, cleaner_, L"/del")) : std::nullopt;
  EXPECT_EQ(StoredRunValue(L"Klarvik Autorun"), expected);
  EXPECT_TRUE(MessageBoxPresser::Texts().empty()) << MessageBoxPresser::Texts().front();
  EXPECT_TRUE(errors_.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExitingWithTheStartupChoice,
    testing::Values(StartupChoiceCase{"CheckedRewritesForThisFolder", L"C:\\Old\\Sweepkin.exe /del", true, true},
                    StartupChoiceCase{"CheckedWritesANewValue", nullptr, true, true},
                    StartupChoiceCase{"UncheckedDeletes", L"C:\\Old\\Sweepkin.exe /del", false, false},
                    // A second Exit with the box unchecked finds nothing to delete.
                    StartupChoiceCase{"UncheckedWithNothingToDelete", nullptr, false, false}),
    [](const auto& testCase) { return std::string(testCase.param.what); });

// Nothing chosen and no Run key at all: nothing to delete, nothing to report.
TEST_F(FrontEndTest, ExitWithNeitherChoiceNorRunKeyReportsNothing) {
  TForm1* form = Open();
  UseStandIns(form);
  DeleteRunKey();
  MessageBoxPresser presser;
  form->N1->Click();
  EXPECT_TRUE(MessageBoxPresser::Texts().empty());
  EXPECT_EQ(StoredRunValue(L"Klarvik Autorun"), std::nullopt);
  EXPECT_EQ(StoredRunValue(L"Klarvik Timer"), std::nullopt);
}

// When the Run key refuses a change, Exit still does all it can, then says in one
// message which choices were not stored, and ends.
struct RefusedCase {
  const char* what;
  bool autorunBefore;
  bool timerBefore;
  bool checked;
  const wchar_t* item;
  const wchar_t* message;  // nullptr: no message
};

void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.what; }

class ExitingIntoAReadOnlyRunKey : public FrontEndTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(ExitingIntoAReadOnlyRunKey, NamesWhatCouldNotBeSaved) {
  const RefusedCase& c = GetParam();
  StoreRunValue(L"Klarvik Autorun", L"kept");
  StoreRunValue(L"Klarvik Timer", L"kept");
  if (!c.autorunBefore) RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Klarvik Autorun");
  if (!c.timerBefore) RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Klarvik Timer");
  TForm1* form = Open();
  UseStandIns(form);
  form->sCheckBox1->SetChecked(c.checked);
  AutoCleanItem(form, c.item)->Click();
  ReadOnlyRunKey readOnly;
  ASSERT_TRUE(readOnly.Applied());
  MessageBoxPresser presser;

  form->sButton2Click(form->sButton2);

  EXPECT_TRUE(app_->Terminated());
  if (c.message) {
    ASSERT_EQ(MessageBoxPresser::Texts().size(), 1u);
    EXPECT_EQ(MessageBoxPresser::Texts()[0], c.message);
  } else {
    EXPECT_TRUE(MessageBoxPresser::Texts().empty()) << MessageBoxPresser::Texts().front();
  }
  EXPECT_EQ(StoredRunValue(L"Klarvik Autorun").has_value(), c.autorunBefore);
  EXPECT_EQ(StoredRunValue(L"Klarvik Timer").has_value(), c.timerBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExitingIntoAReadOnlyRunKey,
    testing::Values(
        RefusedCase{"BothWrites", true, true, true, L"E12",
                    L"These settings could not be saved in the registry and will not apply:\n\n"
                    L"Clean temporary files at Windows start-up\nAuto Clean: Every 12 Hour"},
        RefusedCase{"BothDeletions", true, true, false, L"N17",
                    L"These settings could not be saved in the registry and will not apply:\n\n"
                    L"No cleaning at Windows start-up\nAuto Clean: Never"},
        RefusedCase{"OneDeletionOneWrite", false, true, true, L"N17",
                    L"These settings could not be saved in the registry and will not apply:\n\n"
                    L"Clean temporary files at Windows start-up\nAuto Clean: Never"},
        // Values already absent are no failure.
        RefusedCase{"NothingToDelete", false, false, false, L"N17", nullptr}),
    [](const auto& testCase) { return std::string(testCase.param.what); });

// A double click on Exit: the second click waits in the queue that Exit itself
// processes; run again inside the first, it would stop the scheduler just started,
// start another, and name what could not be saved twice.
TEST_F(FrontEndTest, ASecondExitWhileExitRunsIsIgnored) {
  TForm1* form = Open();
  UseStandIns(form);
  AutoCleanItem(form, L"E1")->Click();
  form->Show();
  ReadOnlyRunKey readOnly;
  ASSERT_TRUE(readOnly.Applied());
  MessageBoxPresser presser;

  PostMessageW(form->sButton2->Handle(), BM_CLICK, 0, 0);
  SendMessageW(form->sButton2->Handle(), BM_CLICK, 0, 0);

  EXPECT_TRUE(app_->Terminated());
  EXPECT_EQ(MessageBoxPresser::Texts().size(), 1u);
  ASSERT_TRUE(PumpUntil([&] { return !LoggedArguments(log_).empty(); }, 5s));
  EXPECT_EQ(LoggedArguments(log_), std::vector<std::wstring>{L"/auto1"});
  EXPECT_EQ(ProcessesAt(programFolder_ + scheduler_).size(), 1u);
}

// ---- Closing any other way ----

TEST_F(FrontEndTest, CloseButtonLeavesTheRunValuesAndTheSchedulerAsTheyWere) {
  StoreRunValue(L"Klarvik Autorun", L"before-autorun");
  StoreRunValue(L"Klarvik Timer", L"before-timer");
  TForm1* form = Open();
  UseStandIns(form);
  const std::wstring scheduler = programFolder_ + scheduler_;
  StartCompanion(programFolder_, scheduler_, L"/auto3");
  // Running its own code, not only listed: it has logged its argument.
  ASSERT_TRUE(PumpUntil([&] { return ProcessesAt(scheduler).size() == 1 && LoggedArguments(log_).size() == 1; }, 5s));
  form->Show();
  form->sCheckBox1->SetChecked(true);
  form->E12->Click();

  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  app_->ProcessMessages();

  EXPECT_TRUE(app_->Terminated());
  EXPECT_EQ(StoredRunValue(L"Klarvik Autorun"), Text(L"before-autorun"));
  EXPECT_EQ(StoredRunValue(L"Klarvik Timer"), Text(L"before-timer"));
  EXPECT_EQ(ProcessesAt(scheduler).size(), 1u);
  PumpFor(300ms);
  EXPECT_EQ(LoggedArguments(log_), std::vector<std::wstring>{L"/auto3"}) << "no scheduler was started";
}

}  // namespace
}  // namespace klarvik::test
