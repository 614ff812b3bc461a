#include "companions/common/program_paths.h"

#include <gtest/gtest.h>

namespace klarvik {
namespace {

TEST(ProgramPaths, FolderOfTheExecutableEndsInOneBackslash) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"C:\\Tools\\x.exe", L"C:\\Tools\\"},
      {L"C:\\x.exe", L"C:\\"},
      {L"\\\\server\\share\\Klarvik.exe", L"\\\\server\\share\\"},
      {L"x.exe", L""},
  };
  for (const auto& [file, folder] : cases) EXPECT_EQ(FolderOf(file), folder);
}

TEST(ProgramPaths, TrailingBackslashIsAddedOnce) {
  EXPECT_EQ(WithTrailingBackslash(L"C:\\Users\\a\\AppData\\Roaming"), L"C:\\Users\\a\\AppData\\Roaming\\");
  EXPECT_EQ(WithTrailingBackslash(L"C:\\"), L"C:\\");
}

}  // namespace
}  // namespace klarvik
