// The Help menu: finding the help engine without ever loading a planted library, the help
// file opened and closed on the way out, the maker's pages and what a missing browser
// says, the version line, and the About box, freed after each showing.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/about_form.h"
#include "app/html_help.h"
#include "app/main_form.h"
#include "app/program_folders.h"
#include "app/version_info.h"
#include "app/web_pages.h"
#include "tests/app/front_end_fixture.h"
#include "tests/support/scratch_env.h"
#include "win/module_path.h"

namespace klarvik::test {

namespace {

using namespace std::chrono_literals;

// The programs of the build sit two levels above this test program.
std::wstring BuiltFile(const wchar_t* name) {
  std::wstring path = RunningExecutablePath();
  for (int level = 0; level < 3; ++level) path.resize(path.find_last_of(L'\\'));
  return path + L"\\" + name;
}

TEST(HtmlHelpLibrary, IsLoadedOnlyByFullPathSystemCopyFirst) {
  const std::wstring system = L"C:\\windows\\system32";
  struct Case {
    const char* name;
    std::wstring registered;
    std::vector<std::wstring> existing;
    std::wstring expected;
  };
  const Case cases[] = {
      {"the system folder's copy", L"D:\\Other\\hhctrl.ocx", {system + L"\\hhctrl.ocx", L"D:\\Other\\hhctrl.ocx"},
       system + L"\\hhctrl.ocx"},
      {"registered with %systemroot% in small letters", L"%systemroot%\\Help\\hhctrl.ocx",
       {L"C:\\windows\\Help\\hhctrl.ocx"}, L"C:\\windows\\Help\\hhctrl.ocx"},
      {"registered with a full path", L"D:\\Other\\hhctrl.ocx", {L"D:\\Other\\hhctrl.ocx"}, L"D:\\Other\\hhctrl.ocx"},
      {"registered path without a file", L"D:\\Other\\hhctrl.ocx", {}, L""},
      {"registered bare name", L"hhctrl.ocx", {L"hhctrl.ocx"}, L""},
      {"registered relative path", L"sub\\hhctrl.ocx", {L"sub\\hhctrl.ocx"}, L""},
      {"nothing anywhere", L"", {}, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HtmlHelpPlaces places;
    places.systemFolder = system;
    places.windowsFolder = L"C:\\windows";
    places.registeredPath = c.registered;
    places.fileExists = [&](const std::wstring& path) {
      for (const std::wstring& existing : c.existing)
        if (existing == path) return true;
      return false;
    };
    EXPECT_EQ(HtmlHelpLibraryPath(places), c.expected);
  }
}

// A library of that name in the current directory and the program's folder must not run.
TEST(HtmlHelpLibrary, APlantedCopyIsPassedOver) {
  const std::wstring scratch = FreshScratchFolder(L"planted-help");
  const std::wstring planted = scratch + L"hhctrl.ocx";
  HANDLE file = CreateFileW(planted.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  wchar_t previous[MAX_PATH]{};
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(scratch.c_str());
  {
    HtmlHelpEngine engine;
    ASSERT_TRUE(engine.Available());
    wchar_t system[MAX_PATH]{};
    GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(engine.LibraryPath(), std::wstring(system) + L"\\hhctrl.ocx");
  }
  SetCurrentDirectoryW(previous);
  RemoveTree(scratch);
}

TEST(VersionLine, ShowsMajorMinorAndBuild) {
  EXPECT_EQ(VersionText(VersionNumbers{2, 5, 7, 300}), L"2.5 Build: 300");
  const auto built = GetVersionNumbers(BuiltFile(L"Klarvik.exe"));
  ASSERT_TRUE(built.has_value());
  EXPECT_EQ(VersionText(*built), std::to_wstring(built->major) + L"." + std::to_wstring(built->minor) + L" Build: " +
                                     std::to_wstring(built->build));
  // This test program carries no version information.
  EXPECT_FALSE(GetVersionNumbers(RunningExecutablePath()).has_value());
  EXPECT_EQ(GetVersionText(), L"unknown");
}

class HelpMenuTest : public FrontEndTest {};

HWND HelpWindow() { return FindWindowW(L"HH Parent", nullptr); }

TEST_F(HelpMenuTest, HelpOpensTheHelpFileAndEveryWayOutClosesIt) {
  HtmlHelpSession help;
  ASSERT_TRUE(help.Engine().Available());
  struct Case {
    const char* name;
    void (*leave)(TForm1&);
  };
  const Case cases[] = {
      {"closing the window", [](TForm1& form) { form.QuitNoSaveExecute(nullptr); }},
      {"Exit", [](TForm1& form) { form.sButton2Click(nullptr); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TForm1* form = Open();
    UseStandIns(form);
    HelpFilePath = BuiltFile(L"help.chm");
    form->N5Click(nullptr);
    ASSERT_TRUE(PumpUntil([] { return HelpWindow() != nullptr; }, 5s));
    c.leave(*form);
    EXPECT_TRUE(PumpUntil([] { return HelpWindow() == nullptr; }, 5s));
    Free(form);
  }
}

TEST_F(HelpMenuTest, WebPagesGoToTheBrowserOrSayHowToGetThere) {
  TForm1* form = Open();
  struct Case {
    const char* name;
    void (TForm1::*click)(TObject*);
    std::wstring address;
  };
  const Case cases[] = {
      {"home page", &TForm1::N7Click, L"https://www.bramwick.com/"},
      {"support page", &TForm1::G1Click, L"https://www.bramwick.com/support/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::wstring> opened;
    for (bool browserStarts : {true, false}) {
      form->OpenWebPageInBrowser = [&](const std::wstring& address) {
        opened.push_back(address);
        return browserStarts;
      };
      const MessageBoxPresser presser;
      (form->*c.click)(nullptr);
      if (browserStarts) {
        EXPECT_TRUE(MessageBoxPresser::Texts().empty());
        continue;
      }
      ASSERT_EQ(MessageBoxPresser::Texts().size(), 1u);
      EXPECT_EQ(MessageBoxPresser::Texts()[0], L"Unable to open your web browser, please open your web browser and enter \"" +
                                                   c.address + L"\" in the addressbar.");
      EXPECT_EQ(MessageBoxPresser::Captions()[0], L"Error");
    }
    EXPECT_EQ(opened, (std::vector<std::wstring>{c.address, c.address}));
  }
}

// What the About box showed, read while it is up, before Enter closes it.
struct AboutSeen {
  std::map<std::wstring, std::wstring> captions;
  LONG style = 0;
  bool defaultButtonIsOk = false;
};
AboutSeen* aboutSeen = nullptr;

BOOL CALLBACK FindAbout(HWND window, LPARAM found) {
  auto* about = dynamic_cast<TAboutForm1*>(TWinControl::FindControl(window));
  if (!about || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<TAboutForm1**>(found) = about;
  return FALSE;
}

void CALLBACK ReadAndCloseAbout(HWND, UINT, UINT_PTR timer, DWORD) {
  TAboutForm1* about = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindAbout, reinterpret_cast<LPARAM>(&about));
  if (!about || !aboutSeen) return;
  KillTimer(nullptr, timer);
  for (TsCustomLabel* label : {static_cast<TsCustomLabel*>(about->sLabel1), static_cast<TsCustomLabel*>(about->sLabel2),
                               static_cast<TsCustomLabel*>(about->sLabel3), static_cast<TsCustomLabel*>(about->sWebLabel1)})
    aboutSeen->captions[label->Name()] = label->Caption();
  aboutSeen->captions[L"URL"] = about->sWebLabel1->URL();
  aboutSeen->style = GetWindowLongW(about->Handle(), GWL_STYLE);
  aboutSeen->defaultButtonIsOk = about->DefaultButton() == about->sButton1;
  // Enter, as the user would press it, wherever the focus is in the box.
  HWND focus = GetFocus();
  PostMessageW(focus ? focus : about->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(focus ? focus : about->Handle(), WM_KEYUP, VK_RETURN, 0);
}

TEST_F(HelpMenuTest, AboutShowsTheProgramClosesOnEnterAndIsFreedEachTime) {
  TForm1* form = Open();
  form->Show();
  const int components = app_->ComponentCount();
  for (int showing = 0; showing < 3; ++showing) {
    SCOPED_TRACE(showing);
    AboutSeen seen;
    aboutSeen = &seen;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadAndCloseAbout);
    form->N9Click(nullptr);
    KillTimer(nullptr, timer);
    aboutSeen = nullptr;
    EXPECT_EQ(seen.captions[L"sLabel1"], L"Klarvik");
    EXPECT_EQ(seen.captions[L"sLabel2"], L"Version: unknown");
    EXPECT_FALSE(seen.captions[L"sLabel3"].empty());
    EXPECT_EQ(seen.captions[L"sWebLabel1"], L"https://www.bramwick.com/");
    EXPECT_EQ(seen.captions[L"URL"], L"https://www.bramwick.com/");
    EXPECT_TRUE(seen.defaultButtonIsOk);
    EXPECT_FALSE(seen.style & WS_SYSMENU) << "the About box has no close box";
    EXPECT_TRUE(seen.style & WS_THICKFRAME);
    EXPECT_EQ(app_->ComponentCount(), components);
  }
}

}  // namespace

}  // namespace klarvik::test
