#include "app/temp_measurements.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/scratch_env.h"

namespace klarvik {
namespace {

std::wstring CurrentDirectory() {
  wchar_t buffer[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, buffer);
  return buffer;
}

TEST(TempMeasurements, TempDirectoryIsTheProcesssOwnWithABackslash) {
  const std::wstring temp = test::FreshScratchFolder(L"temp-dir");
  SetEnvironmentVariableW(L"TMP", temp.c_str());
  EXPECT_EQ(GetTempDirectory(), temp);
  SetEnvironmentVariableW(L"TMP", (test::ScratchRoot() + L"temp\\").c_str());
}

// Asking a volume must leave the process's current directory where it was.
TEST(TempMeasurements, DriveSpaceOfAFolderLeavesTheCurrentDirectoryAlone) {
  const std::wstring folder = test::FreshScratchFolder(L"drive-space");
  const std::wstring before = CurrentDirectory();
  const DriveSpace space = GetDriveSpace(folder);
  EXPECT_EQ(CurrentDirectory(), before);
  EXPECT_GT(space.totalBytes, 0);
  EXPECT_GE(space.freeBytes, 0);
  EXPECT_LE(space.freeBytes, space.totalBytes);
}

TEST(TempMeasurements, UnreachableVolumeGivesUnknownCounts) {
  for (const wchar_t* path : {L"", L"\\\\no-such-server-klarvik\\share\\", L"Q:\\no\\such\\folder\\"}) {
    const DriveSpace space = GetDriveSpace(path);
    EXPECT_EQ(space.freeBytes, -1) << path;
    EXPECT_EQ(space.totalBytes, -1) << path;
  }
}

void WriteFileOfSize(const std::wstring& path, DWORD size) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::string bytes(size, 'k');
  DWORD written = 0;
  WriteFile(file, bytes.data(), size, &written, nullptr);
  CloseHandle(file);
}

// Refresh measures the disk itself again, every time: a file added between two
// measurements is counted by the second.
TEST(TempMeasurements, MeasuringAgainWalksTheFolderAgain) {
  const std::wstring temp = test::FreshScratchFolder(L"measure-again");
  SetEnvironmentVariableW(L"TMP", temp.c_str());
  WriteFileOfSize(temp + L"first.tmp", 2048);

  const MeasurementReport before = MeasureTempFolder();
  CreateDirectoryW((temp + L"later").c_str(), nullptr);
  WriteFileOfSize(temp + L"later\\second.tmp", 3072);
  const MeasurementReport after = MeasureTempFolder();
  SetEnvironmentVariableW(L"TMP", (test::ScratchRoot() + L"temp\\").c_str());

  EXPECT_EQ(before.tempSizeCaption, "Temp Folder Size: 2 KB");
  EXPECT_EQ(after.tempSizeCaption, "Temp Folder Size: 5 KB");
  EXPECT_GT(after.tempSizeGauge.progress, before.tempSizeGauge.progress);
}

}  // namespace
}  // namespace klarvik
