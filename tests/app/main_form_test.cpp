#include "app/main_form.h"

#include <windows.h>

#include <clocale>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/program_folders.h"
#include "runtime/application.h"
#include "tests/support/scratch_env.h"
#include "win/exceptions.h"

namespace klarvik {

namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void WriteFileOfSize(const std::wstring& path, DWORD size) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::vector<char> bytes(size, 'k');
  DWORD written = 0;
  WriteFile(file, bytes.data(), size, &written, nullptr);
  CloseHandle(file);
}

std::wstring ReadRunValue(const wchar_t* name) {
  wchar_t buffer[512] = {};
  DWORD size = sizeof buffer;
  if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
    return L"<missing>";
  }
  return buffer;
}

void WriteRunValue(const wchar_t* name, const std::wstring& value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, name, REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// A main window of its own application, measuring a temp folder the test fills.
class MainWindow : public testing::Test {
 protected:
  void SetUp() override {
    temp_ = klarvik::test::FreshScratchFolder(L"main-window-temp");
    WriteFileOfSize(temp_ + L"a.tmp", 1024);
    CreateDirectoryW((temp_ + L"sub").c_str(), nullptr);
    WriteFileOfSize(temp_ + L"sub\\b.tmp", 512);
    SetEnvironmentVariableW(L"TMP", temp_.c_str());
    previous_ = Application;
    app_ = std::make_unique<TApplication>(nullptr);
    Application = app_.get();
    app_->OnException = [this](TObject*, const std::exception& e) { errors_.push_back(e.what()); };
  }

  void TearDown() override {
    app_.reset();
    Application = previous_;
    SetEnvironmentVariableW(L"TMP", (klarvik::test::ScratchRoot() + L"temp\\").c_str());
  }

  TForm1* Open() {
    TForm1* form = nullptr;
    app_->CreateForm(form);
    return form;
  }

  std::wstring temp_;
  TApplication* previous_ = nullptr;
  std::unique_ptr<TApplication> app_;
  std::vector<std::string> errors_;
};

TEST_F(MainWindow, StartsWithBothMeasurements) {
  TForm1* form = Open();
  EXPECT_EQ(form->sLabel1->Caption(), L"Temp Folder Size: 1.5 KB");
  EXPECT_EQ(form->sLabel2->Caption().rfind(L"Free Disk Space: ", 0), 0u) << form->sLabel2->Caption();
  EXPECT_GT(form->sGauge1->MaxValue(), 0);
  EXPECT_LE(form->sGauge1->Progress(), form->sGauge1->MaxValue());
  // 1.5 KB beside the drive's free space is a share too small to show.
  EXPECT_GT(form->sGauge2->MaxValue(), 0);
  EXPECT_EQ(form->sGauge2->ProgressPercent(), 0);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(MainWindow, ShownClientAreaHoldsEveryControl) {
  TForm1* form = Open();
  form->Show();
  app_->ProcessMessages();
  RECT client{};
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 440);
  EXPECT_EQ(client.bottom, 211);
  // The caption fits on one line beside its box, whatever the font.
  EXPECT_LE(form->sCheckBox1->Left() + form->sCheckBox1->Width(), 440);
  SIZE text{};
  {
    HDC dc = GetDC(form->sCheckBox1->Handle());
    HGDIOBJ old = SelectObject(dc, form->sCheckBox1->Font().Handle());
    const std::wstring caption = form->sCheckBox1->Caption();
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    SelectObject(dc, old);
    ReleaseDC(form->sCheckBox1->Handle(), dc);
  }
  EXPECT_GE(form->sCheckBox1->Width(), text.cx + 16);
  // First in the tab order.
  EXPECT_EQ(GetFocus(), form->sCheckBox1->Handle());
}

// A user whose locale writes "12,5": the C runtime's locale and the thread's are both
// set to it for the whole process, and every number the window shows still has a point.
TEST_F(MainWindow, CommaLocaleStillShowsADecimalPoint) {
  const LCID german = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);
  const LCID previousThreadLocale = GetThreadLocale();
  ASSERT_NE(std::setlocale(LC_ALL, "German_Germany.1252"), nullptr);
  ASSERT_TRUE(SetThreadLocale(german));
  ASSERT_STREQ(std::localeconv()->decimal_point, ",") << "the comma locale did not take";
  WriteFileOfSize(temp_ + L"c.tmp", 1024 * 1024 + 300 * 1024);  // 1.29 MB in all

  TForm1* form = Open();
  form->Show();
  app_->ProcessMessages();

  EXPECT_EQ(form->sLabel1->Caption(), L"Temp Folder Size: 1.29 MB");
  const std::wstring free = form->sLabel2->Caption();
  EXPECT_EQ(free.find(L','), std::wstring::npos) << testing::PrintToString(free);
  const size_t number = std::wstring(L"Free Disk Space: ").size();
  ASSERT_GT(free.size(), number);
  EXPECT_TRUE(iswdigit(free[number])) << testing::PrintToString(free);
  for (TsGauge* gauge : {form->sGauge1, form->sGauge2}) {
    const std::wstring percent = std::to_wstring(gauge->ProgressPercent()) + L"%";
    EXPECT_EQ(gauge->Text(), percent);
  }
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
  SetThreadLocale(previousThreadLocale);
  std::setlocale(LC_ALL, "C");
}

// A main window whose start-up step number `failing` (from 1) fails instead of running.
class WindowWithAFailingStartupStep : public TForm1 {
 public:
  WindowWithAFailingStartupStep(TComponent* owner, int failing) : TForm1(owner), failing_(failing) {}

 protected:
  void RunStartupStep(const std::function<void()>& step) override {
    if (++count_ != failing_) return TForm1::RunStartupStep(step);
    TForm1::RunStartupStep([] { throw Exception(L"start-up step failed"); });
  }

 private:
  int failing_;
  int count_ = 0;
};

// Each start-up step runs guarded on its own: whichever fails is reported like any
// handler's error, and every other step still has its effect.
TEST_F(MainWindow, AFailingStartupStepLeavesEveryOtherStepItsEffect) {
  WriteRunValue(L"Klarvik Autorun", L"any data");
  klarvik::InitProgramFolders();
  const std::wstring programFolder = klarvik::ProgramFolder;
  WriteRunValue(L"Klarvik Timer", programFolder + L"Clockrin.exe /auto3");
  const std::wstring settings = klarvik::SettingsFolder + L"settings.ini";
  WritePrivateProfileStringW(L"SKIN", L"TYPE", L"Garnet (internal)", settings.c_str());
  const char* const steps[] = {"numbers in the C locale", "program folders", "start-up check box",
                               "saved skin choice", "measurements", "Auto Clean choice"};
  for (int failing = 1; failing <= 6; ++failing) {
    SCOPED_TRACE(steps[failing - 1]);
    errors_.clear();
    // The Auto Clean choice is matched against the program folder: it stays known, and
    // the folders step shows itself by the help file's path.
    klarvik::ProgramFolder = programFolder;
    klarvik::HelpFilePath.clear();
    ASSERT_NE(std::setlocale(LC_NUMERIC, "German_Germany.1252"), nullptr);
    auto* form = new WindowWithAFailingStartupStep(app_.get(), failing);
    form->AfterConstruction();

    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "start-up step failed");
    const bool ran[] = {
        std::localeconv()->decimal_point == std::string("."),
        !klarvik::HelpFilePath.empty(),
        form->sCheckBox1->Checked(),
        form->N12->Checked() && form->sSkinManager1->SkinName() == L"Garnet (internal)",
        form->sLabel1->Caption() == L"Temp Folder Size: 1.5 KB",
        form->E3->Checked(),
    };
    for (int step = 1; step <= 6; ++step) {
      EXPECT_EQ(ran[step - 1], step != failing) << steps[step - 1];
    }
    form->Show();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
  }
  std::setlocale(LC_ALL, "C");
  DeleteFileW(settings.c_str());
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Klarvik Autorun");
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Klarvik Timer");
}

TEST_F(MainWindow, RefreshShortCutMeasuresAgain) {
  TForm1* form = Open();
  form->Show();
  WriteFileOfSize(temp_ + L"c.tmp", 2560);
  PostMessageW(form->Handle(), WM_KEYDOWN, VK_F5, 1);
  PostMessageW(form->Handle(), WM_KEYUP, VK_F5, 0xC0000001);
  app_->ProcessMessages();
  EXPECT_EQ(form->sLabel1->Caption(), L"Temp Folder Size: 4 KB");
}

TEST_F(MainWindow, EachRadioGroupHasExactlyOneCheckedItem) {
  TForm1* form = Open();
  auto checkedIn = [](TMenuItem* menu) {
    std::vector<std::wstring> checked;
    for (int i = 0; i < menu->Count(); ++i) {
      if (menu->Items(i)->Checked()) checked.push_back(menu->Items(i)->Name());
    }
    return checked;
  };
  using Names = std::vector<std::wstring>;
  // Nothing saved yet: the standard look, whatever the stored form had checked.
  EXPECT_EQ(checkedIn(form->N2), Names{L"N3"});
  EXPECT_EQ(checkedIn(form->A2), Names{L"N17"});

  form->E3->Click();
  EXPECT_EQ(checkedIn(form->A2), Names{L"E3"});
  EXPECT_EQ(checkedIn(form->N2), Names{L"N3"});
  form->N13->Click();
  EXPECT_EQ(checkedIn(form->N2), Names{L"N13"});
  EXPECT_EQ(checkedIn(form->A2), Names{L"E3"});
  DeleteFileW((klarvik::SettingsFolder + L"settings.ini").c_str());
}

struct CloseCase {
  const char* how;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

void PrintTo(const CloseCase& closeCase, std::ostream* out) { *out << closeCase.how; }

class ClosingMainWindow : public MainWindow, public testing::WithParamInterface<CloseCase> {};

// However the window is closed, the program ends and the Run values stay as they were,
// even after the user changed the choices that Exit would apply.
TEST_P(ClosingMainWindow, EndsWithoutTouchingTheRunValues) {
  WriteRunValue(L"Klarvik Autorun", L"before-autorun");
  WriteRunValue(L"Klarvik Timer", L"before-timer");
  TForm1* form = Open();
  form->Show();
  form->sCheckBox1->SetChecked(true);
  form->E2->Click();

  PostMessageW(form->Handle(), GetParam().message, GetParam().wParam, GetParam().lParam);
  app_->ProcessMessages();

  EXPECT_TRUE(app_->Terminated());
  EXPECT_EQ(ReadRunValue(L"Klarvik Autorun"), L"before-autorun");
  EXPECT_EQ(ReadRunValue(L"Klarvik Timer"), L"before-timer");
  EXPECT_TRUE(errors_.empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosingMainWindow,
                         testing::Values(CloseCase{"title-bar button", WM_SYSCOMMAND, SC_CLOSE, 0},
                                         CloseCase{"Alt+F4", WM_SYSKEYDOWN, VK_F4, 0x20000001}),
                         [](const auto& param) { return std::string(param.param.message == WM_SYSCOMMAND ? "TitleBar" : "AltF4"); });

TEST_F(MainWindow, LogOffIsAllowedAndEndsTheProgram) {
  TForm1* form = Open();
  form->Show();
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_FALSE(app_->Terminated());
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(app_->Terminated());
}

}  // namespace

}  // namespace klarvik
