// The safety checks on the folder the cleaner is about to empty.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "companions/sweepkin/cleaning_root.h"
#include "companions/sweepkin/final_path.h"
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

}  // namespace
}  // namespace klarvik::sweepkin
