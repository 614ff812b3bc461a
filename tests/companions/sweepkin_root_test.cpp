// The safety checks on the folder the cleaner is about to empty.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "companions/sweepkin/cleaning_root.h"
#include "companions/sweepkin/final_path.h"
#include "companions/sweepkin/protected_folders.h"
#include "tests/companions/sweepkin_fixture.h"
#include "tests/support/scratch_env.h"

namespace klarvik::sweepkin {
namespace {

using test::FreshScratchFolder;

TEST(CheckCleaningRoot, RefusesWhatIsNoSafeFolderToEmpty) {
  const std::wstring base = FreshScratchFolder(L"roots");
  const std::wstring temp = base + L"temp";
  ASSERT_TRUE(test::MakeAgedTree(base, {{L"temp\\inside\\"}, {L"a-file.txt"}, {L"elsewhere\\"}}));
  const bool haveLink = test::MakeUnixLink(base + L"linked-temp", base + L"elsewhere");
  std::wstring upper = temp;
  for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));

  struct Case {
    const char* name;
    std::wstring tempPath;
    std::vector<ProtectedFolder> guarded;
    const char* refusalStart;  // nullptr: accepted
  };
  std::vector<Case> cases = {
      {"an ordinary folder", temp + L"\\", {{"user profile", base + L"profile"}}, nullptr},
      {"beside a folder whose name it starts", temp, {{"Windows folder", temp + L"2"}}, nullptr},
      {"below a protected folder", temp, {{"user profile", base}}, nullptr},
      {"empty", L"", {}, "the temp path is empty"},
      {"missing", base + L"missing\\", {}, "the temp folder does not exist"},
      {"a file", base + L"a-file.txt", {}, "the temp path is not a folder"},
      {"a drive root", L"C:\\", {}, "the temp folder is the root of a drive or share"},
      {"a protected folder itself", temp, {{"Windows folder", temp}}, "the temp folder is or holds the Windows"},
      {"the same in other case and spelling", upper + L"\\inside\\..", {{"user profile", temp + L"\\"}},
       "the temp folder is or holds the user profile"},
      {"above a protected folder", base, {{"cleaner's own folder", temp + L"\\inside"}},
       "the temp folder is or holds the cleaner's own"},
  };
  if (haveLink) cases.push_back({"a link", base + L"linked-temp\\", {}, "the temp folder is a link"});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CleaningRoot root = CheckCleaningRoot(c.tempPath, c.guarded);
    if (c.refusalStart) {
      EXPECT_TRUE(root.refusal.starts_with(c.refusalStart)) << root.refusal;
      EXPECT_EQ(root.path, L"");
    } else {
      EXPECT_EQ(root.refusal, "");
      EXPECT_TRUE(root.path.starts_with(LR"(\\?\)")) << testing::PrintToString(root.path);
      EXPECT_TRUE(SamePath(root.path, FinalPathOf(temp)));
    }
  }
}

void SetUserShellFolder(const wchar_t* value, const std::wstring& path) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                            0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                 static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

// The user-data folders are asked of the shell, which reads where they are from the
// (redirected) current user's registry: here they are real folders of a scratch profile,
// as on Windows (Wine links them to the Unix home).
TEST(ProtectedFolders, TempFoldersInOrAroundTheUsersOwnFoldersAreRefused) {
  const std::wstring profile = FreshScratchFolder(L"Profile With Data");
  const std::wstring base = profile.substr(0, profile.size() - 1);
  ASSERT_TRUE(test::MakeAgedTree(profile, {{L"Desktop\\"}, {L"Documents\\Temp\\Project\\"}, {L"Documents\\Projects\\"},
                                           {L"Downloads\\"}, {L"Music\\Tmp\\"}, {L"OneDrive\\Stuff\\"},
                                           {L"AppData\\Local\\Temp\\"}, {L"Cache\\"}}));
  SetUserShellFolder(L"Desktop", base + L"\\Desktop");
  SetUserShellFolder(L"Personal", base + L"\\Documents");
  SetUserShellFolder(L"{374DE290-123F-4565-9164-39C4925E467B}", base + L"\\Downloads");
  SetUserShellFolder(L"My Music", base + L"\\Music");
  SetUserShellFolder(L"Local AppData", base + L"\\AppData\\Local");
  ASSERT_TRUE(SetEnvironmentVariableW(L"OneDrive", (base + L"\\OneDrive").c_str()));
  const std::vector<ProtectedFolder> guarded = ProtectedFolders();
  SetEnvironmentVariableW(L"OneDrive", nullptr);

  for (const wchar_t* folder : {L"Desktop", L"Documents", L"Downloads", L"Music", L"OneDrive", L"AppData\\Local"}) {
    const bool listed = std::any_of(guarded.begin(), guarded.end(), [&](const ProtectedFolder& entry) {
      return entry.guard == Guard::UserData && SamePath(entry.path, base + L"\\" + folder);
    });
    EXPECT_TRUE(listed) << "not guarded: " << testing::PrintToString(std::wstring(folder));
  }

  struct Case {
    const wchar_t* temp;        // below the scratch profile
    const char* refusalStart;  // nullptr: accepted
  };
  const Case cases[] = {
      {L"Downloads", "the temp folder is or holds the Downloads folder"},
      {L"Documents", "the temp folder is or holds the Documents folder"},
      {L"Desktop", "the temp folder is or holds the Desktop folder"},
      {L"", "the temp folder is or holds the Desktop folder"},  // the folder that holds them
      {L"OneDrive", "the temp folder is or holds the OneDrive folder"},
      {L"AppData\\Local", "the temp folder is or holds the Local application data folder"},
      {L"Documents\\Projects", "the temp folder lies inside the Documents folder and is not named Temp or Tmp"},
      {L"Documents\\Temp\\Project", "the temp folder lies inside the Documents folder"},
      {L"OneDrive\\Stuff", "the temp folder lies inside the OneDrive folder"},
      {L"Documents\\Temp", nullptr},
      {L"Music\\Tmp", nullptr},
      {L"AppData\\Local\\Temp", nullptr},
      {L"Cache", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.temp)));
    const CleaningRoot root = CheckCleaningRoot(profile + c.temp, guarded);
    if (c.refusalStart) {
      EXPECT_TRUE(root.refusal.starts_with(c.refusalStart)) << root.refusal;
      EXPECT_EQ(root.path, L"");
    } else {
      EXPECT_EQ(root.refusal, "");
      EXPECT_TRUE(SamePath(root.path, FinalPathOf(profile + c.temp)));
    }
  }
}

}  // namespace
}  // namespace klarvik::sweepkin
