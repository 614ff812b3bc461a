// The cleaning run with the real windows and the real threaded timer: Clean shows the
// status window and starts the cleaner; the run ends at the first tick that finds no
// cleaner, which hides the window and measures again. The cleaner is a stand-in, except
// in the last test, which runs the built Sweepkin.exe on the redirected temp folder.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/companions.h"
#include "app/program_folders.h"
#include "app/status_form.h"
#include "tests/app/front_end_fixture.h"
#include "tests/fixtures/dummy_child.h"
#include "tests/support/test_turn.h"

namespace klarvik::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class CleaningRun : public FrontEndTest {
 protected:
  TForm1* OpenAndShow() {
    TForm1* form = Open();
    UseStandIns(form);
    StatusForm1->OnShow = [this](TObject*) { ++shown_; };
    StatusForm1->OnHide = [this](TObject*) { ++hidden_; };
    form->Show();
    app_->ProcessMessages();
    return form;
  }

  static void Clean(TForm1* form) { SendMessageW(form->sButton1->Handle(), BM_CLICK, 0, 0); }

  static bool Running(TForm1* form) { return form->ThreadedTimer1->Enabled(); }

  bool WaitForTheEnd(TForm1* form, std::chrono::milliseconds limit) {
    return PumpUntil([form] { return !Running(form) && !IsWindowVisible(StatusForm1->Handle()); }, limit);
  }

  int shown_ = 0;
  int hidden_ = 0;
};

TEST_F(CleaningRun, QuickCleanerStillShowsAndHidesTheStatusWindowOnceThenMeasuresOnce) {
  const ScopedVariable quick(kSleepVariable, L"0");
  TForm1* form = OpenAndShow();
  const Clock::time_point start = Clock::now();

  Clean(form);
  EXPECT_TRUE(IsWindowVisible(StatusForm1->Handle())) << "shown before the cleaner starts";
  EXPECT_TRUE(Running(form));
  WriteFileOfSize(temp_ + L"new.tmp", 2048);
  ASSERT_TRUE(WaitForTheEnd(form, 3s));

  EXPECT_GE(Clock::now() - start, 240ms) << "the first poll comes a full interval after Clean";
  EXPECT_EQ(shown_, 1);
  EXPECT_EQ(hidden_, 1);
  EXPECT_EQ(LoggedArguments(log_), std::vector<std::wstring>{L"/del"});
  EXPECT_EQ(form->sLabel1->Caption(), L"Temp Folder Size: 2 KB");
  // The run is over: nothing measures again by itself.
  WriteFileOfSize(temp_ + L"later.tmp", 2048);
  PumpFor(700ms);
  EXPECT_EQ(form->sLabel1->Caption(), L"Temp Folder Size: 2 KB");
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_TRUE(errors_.empty());
}

// Clean held down (key repeat) or double-clicked during a run: the run under way
// goes on alone, and ends with one measurement; the next Clean starts a new run.
TEST_F(CleaningRun, CleanDuringARunDoesNothingByAnyRoute) {
  TForm1* form = OpenAndShow();  // the stand-in cleaners run until the test ends them
  const std::wstring cleaner = programFolder_ + cleaner_;
  const HWND button = form->sButton1->Handle();

  Clean(form);
  ASSERT_TRUE(PumpUntil([&] { return ProcessesAt(cleaner).size() == 1; }, 5s));
  Clean(form);
  SetFocus(button);
  SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0);  // the keyboard's press of the focused button
  SendMessageW(button, WM_KEYUP, VK_SPACE, 0xC0000001);
  const LPARAM centre = MAKELPARAM(10, 10);
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    SendMessageW(button, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, centre);
  }
  PumpFor(700ms);
  EXPECT_EQ(ProcessesAt(cleaner).size(), 1u);
  EXPECT_EQ(LoggedArguments(log_), std::vector<std::wstring>{L"/del"});
  EXPECT_EQ(shown_, 1);

  WriteFileOfSize(temp_ + L"new.tmp", 1024);
  EndProcess(ProcessesAt(cleaner)[0]);
  ASSERT_TRUE(WaitForTheEnd(form, 2s));
  EXPECT_EQ(hidden_, 1);
  EXPECT_EQ(form->sLabel1->Caption(), L"Temp Folder Size: 1 KB");

  Clean(form);
  EXPECT_TRUE(Running(form)) << "a new run after the last one ended";
  ASSERT_TRUE(PumpUntil([&] { return ProcessesAt(cleaner).size() == 1; }, 5s));
  EndProcess(ProcessesAt(cleaner)[0]);
  ASSERT_TRUE(WaitForTheEnd(form, 2s));
  EXPECT_EQ(shown_, 2);
  EXPECT_EQ(hidden_, 2);
}

// A click handled while the final poll runs belongs to the run that is ending: it
// starts no cleaner, and the window the run shows is hidden exactly once.
TEST_F(CleaningRun, CleanDuringTheFinalPollIsIgnored) {
  TForm1* form = OpenAndShow();
  const std::wstring cleaner = programFolder_ + cleaner_;
  const TNotifyEvent poll = form->ThreadedTimer1->OnTimer;
  bool clickedInPoll = false;
  form->ThreadedTimer1->OnTimer = [&](TObject* sender) {
    if (ProcessesAt(cleaner).empty() && !clickedInPoll) {
      clickedInPoll = true;
      Clean(form);
    }
    poll(sender);
  };

  Clean(form);
  ASSERT_TRUE(PumpUntil([&] { return LoggedArguments(log_).size() == 1; }, 5s));
  EndProcess(ProcessesAt(cleaner)[0]);
  ASSERT_TRUE(WaitForTheEnd(form, 2s));

  EXPECT_TRUE(clickedInPoll);
  PumpFor(500ms);
  EXPECT_FALSE(Running(form));
  EXPECT_EQ(LoggedArguments(log_), std::vector<std::wstring>{L"/del"});
  EXPECT_EQ(shown_, 1);
  EXPECT_EQ(hidden_, 1);
}

TEST_F(CleaningRun, MissingCleanerEndsTheRunAtTheFirstTick) {
  TForm1* form = OpenAndShow();
  ASSERT_TRUE(DeleteFileW((programFolder_ + cleaner_).c_str()));
  int ticks = 0;
  const TNotifyEvent poll = form->ThreadedTimer1->OnTimer;
  form->ThreadedTimer1->OnTimer = [&](TObject* sender) {
    ++ticks;
    poll(sender);
  };
  MessageBoxPresser presser;
  const Clock::time_point start = Clock::now();

  Clean(form);
  ASSERT_TRUE(WaitForTheEnd(form, 3s));

  EXPECT_GE(Clock::now() - start, 240ms);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(hidden_, 1);
  EXPECT_TRUE(MessageBoxPresser::Texts().empty()) << "a missing cleaner is not reported";
  EXPECT_TRUE(errors_.empty());
}

// Exit does not wait for the run: the program ends, and the cleaner finishes on its own.
TEST_F(CleaningRun, ExitDuringARunEndsAtOnceAndLeavesTheCleanerRunning) {
  TForm1* form = OpenAndShow();  // the stand-in cleaner runs until the test ends it
  const std::wstring cleaner = programFolder_ + cleaner_;
  Clean(form);
  ASSERT_TRUE(PumpUntil([&] { return ProcessesAt(cleaner).size() == 1; }, 5s));

  SendMessageW(form->sButton2->Handle(), BM_CLICK, 0, 0);

  EXPECT_TRUE(app_->Terminated());
  EXPECT_EQ(ProcessesAt(cleaner).size(), 1u);
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

TEST_F(CleaningRun, StatusWindowIsABorderlessTopmostBoxCentredOverTheMainWindowTheFirstTime) {
  const ScopedVariable quick(kSleepVariable, L"0");
  TForm1* form = OpenAndShow();
  EXPECT_FALSE(StatusForm1->Visible()) << "hidden until a run";

  Clean(form);
  const HWND status = StatusForm1->Handle();
  const LONG style = GetWindowLongW(status, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), 0);
  EXPECT_NE(GetWindowLongW(status, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  RECT client{};
  GetClientRect(status, &client);
  EXPECT_EQ(client.right, 169);
  EXPECT_EQ(client.bottom, 67);
  const RECT main = WindowRect(form->Handle());
  const RECT first = WindowRect(status);
  EXPECT_NEAR((first.left + first.right) / 2, (main.left + main.right) / 2, 1);
  EXPECT_NEAR((first.top + first.bottom) / 2, (main.top + main.bottom) / 2, 1);
  EXPECT_EQ(StatusForm1->sLabel1->Caption(), L"Delete files...");
  EXPECT_EQ(StatusForm1->sLabel1->Left(), 88);
  EXPECT_EQ(StatusForm1->sLabel1->Top(), 28);
  ASSERT_TRUE(WaitForTheEnd(form, 3s));

  // Shown again after the main window moved: left where it was.
  SetWindowPos(form->Handle(), nullptr, main.left + 120, main.top + 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Clean(form);
  const RECT second = WindowRect(status);
  EXPECT_EQ(second.left, first.left);
  EXPECT_EQ(second.top, first.top);
  ASSERT_TRUE(WaitForTheEnd(form, 3s));
}

TEST_F(CleaningRun, IndicatorSpinsWithTheStatusColoursWhileTheWindowIsShown) {
  TForm1* form = OpenAndShow();
  TAdvCircularProgress* indicator = StatusForm1->AdvCircularProgress1;
  EXPECT_EQ(indicator->Left(), 24);
  EXPECT_EQ(indicator->Top(), 8);
  EXPECT_EQ(indicator->Width(), 49);
  EXPECT_EQ(indicator->Height(), 49);
  EXPECT_EQ(indicator->Interval(), 100u);
  const TProgressAppearance& colours = indicator->Appearance();
  EXPECT_EQ(colours.BackGroundColor(), clNone);
  EXPECT_EQ(colours.BorderColor(), clNone);
  EXPECT_EQ(colours.ActiveSegmentColor(), RgbColor(159, 159, 255));
  EXPECT_EQ(colours.InActiveSegmentColor(), RgbColor(192, 192, 192));
  EXPECT_EQ(colours.TransitionSegmentColor(), RgbColor(0, 0, 160));
  EXPECT_EQ(colours.ProgressSegmentColor(), RgbColor(128, 0, 64));

  Clean(form);  // the stand-in cleaner runs until the test ends it
  const int before = indicator->CurrentIndex();
  EXPECT_TRUE(PumpUntil([&] { return indicator->CurrentIndex() != before; }, 1s)) << "the indicator moves";
  TerminateProcessByName(cleaner_);
  ASSERT_TRUE(WaitForTheEnd(form, 2s));
}

// ---- The built cleaner ----

void Age(const std::wstring& path, int days) {
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER ticks{{now.dwLowDateTime, now.dwHighDateTime}};
  ticks.QuadPart -= static_cast<ULONGLONG>(days) * 24 * 3600 * 10000000ULL;
  const FILETIME then{ticks.LowPart, ticks.HighPart};
  SetFileTime(file, &then, &then, &then);
  CloseHandle(file);
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The program folder of the build: Sweepkin.exe sits two levels above this test program.
std::wstring BuildFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  for (int level = 0; level < 3; ++level) path.resize(path.find_last_of(L'\\'));
  return path + L"\\";
}

TEST_F(CleaningRun, BuiltCleanerEmptiesTheTempFolderOfOldFilesAndTheLabelsShowTheNewSize) {
  const TestTurn turn(kCleanerTurn);  // the cleaner's own tests run it too
  ASSERT_TRUE(turn.Held());
  ASSERT_TRUE(Exists(BuildFolder() + L"Sweepkin.exe")) << BuildFolder();
  WriteFileOfSize(temp_ + L"old.tmp", 300 * 1024);
  CreateDirectoryW((temp_ + L"old folder").c_str(), nullptr);
  WriteFileOfSize(temp_ + L"old folder\\inner.tmp", 200 * 1024);
  WriteFileOfSize(temp_ + L"young.tmp", 2048);
  Age(temp_ + L"old.tmp", 3);
  Age(temp_ + L"old folder\\inner.tmp", 3);
  Age(temp_ + L"old folder", 3);
  TForm1* form = Open();
  form->Show();
  form->N15->Click();  // measure the tree just made
  EXPECT_EQ(form->sLabel1->Caption(), L"Temp Folder Size: 502 KB");
  ProgramFolder = BuildFolder();

  Clean(form);
  ASSERT_TRUE(WaitForTheEnd(form, 30s));

  EXPECT_FALSE(Exists(temp_ + L"old.tmp"));
  EXPECT_FALSE(Exists(temp_ + L"old folder\\inner.tmp"));
  EXPECT_TRUE(Exists(temp_ + L"young.tmp"));
  EXPECT_EQ(form->sLabel1->Caption(), L"Temp Folder Size: 2 KB");
  EXPECT_TRUE(errors_.empty());
}

}  // namespace
}  // namespace klarvik::test
