#include "app/program_folders.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "tests/support/scratch_env.h"

namespace klarvik {
namespace {

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(ProgramFolders, ExecutableInADriveRootGivesOneBackslash) {
  SetProgramFolders(L"C:\\Klarvik.exe", L"");
  EXPECT_EQ(ProgramFolder, L"C:\\");
  EXPECT_EQ(HelpFilePath, L"C:\\help.chm");
  SetProgramFolders(L"C:\\Tools\\Klarvik\\Klarvik.exe", L"");
  EXPECT_EQ(ProgramFolder, L"C:\\Tools\\Klarvik\\");
  EXPECT_EQ(HelpFilePath, L"C:\\Tools\\Klarvik\\help.chm");
}

TEST(ProgramFolders, SettingsFoldersAreCreatedOnFirstStartAndKeptAfter) {
  const std::wstring appData = test::FreshScratchFolder(L"first-start");
  SetProgramFolders(L"C:\\Klarvik.exe", appData.substr(0, appData.size() - 1));
  const std::wstring expected = appData + L"Bramwick\\Klarvik\\";
  ASSERT_EQ(SettingsFolder, expected);
  ASSERT_TRUE(FolderExists(expected));

  const std::wstring keep = expected + L"settings.ini";
  HANDLE file = CreateFileW(keep.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  SetProgramFolders(L"C:\\Klarvik.exe", appData);
  EXPECT_EQ(SettingsFolder, expected);
  EXPECT_NE(GetFileAttributesW(keep.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ProgramFolders, MissingOrUnknownApplicationDataCreatesNothing) {
  const std::wstring missing = test::ScratchRoot() + L"no-such-folder";
  SetProgramFolders(L"C:\\Klarvik.exe", missing);
  EXPECT_EQ(SettingsFolder, missing + L"\\");
  EXPECT_FALSE(FolderExists(missing));

  SetProgramFolders(L"C:\\Klarvik.exe", L"");
  EXPECT_EQ(SettingsFolder, L"");
}

// Guards every other test: the user's own application-data folder is never used.
TEST(ProgramFolders, RunningProgramUsesTheRedirectedApplicationData) {
  InitProgramFolders();
  EXPECT_EQ(SettingsFolder, test::ScratchRoot() + L"appdata\\Bramwick\\Klarvik\\");
  EXPECT_EQ(ProgramFolder.back(), L'\\');
}

}  // namespace
}  // namespace klarvik
