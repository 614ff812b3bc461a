#include "app/temp_measurements.h"

#include <windows.h>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace klarvik
