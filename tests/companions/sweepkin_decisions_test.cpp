// The cleaner's decisions that need neither the clock nor the disk: the age rule,
// the path containment behind its safety checks, and the log's trimming.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "companions/sweepkin/final_path.h"
#include "companions/sweepkin/mode_argument.h"
#include "companions/sweepkin/run_log.h"
#include "companions/sweepkin/sweep_rules.h"

namespace klarvik::sweepkin {
namespace {

constexpr FileTicks kNow = 133'000'000'000'000'000ULL;
constexpr FileTicks kDay = 24 * kTicksPerHour;

TEST(SweepJudge, DeletesOnlyWhatIsOldByBothTimesAndNoLink) {
  struct Case {
    const char* name;
    DWORD attributes;
    FileTicks creation;
    FileTicks lastWrite;
    Verdict expected;
  };
  const std::vector<Case> cases = {
      {"both two days old", FILE_ATTRIBUTE_NORMAL, kNow - 2 * kDay, kNow - 2 * kDay, Verdict::Delete},
      {"both a tick past a day", FILE_ATTRIBUTE_ARCHIVE, kNow - kDay - 1, kNow - kDay - 1, Verdict::Delete},
      {"written exactly a day ago", FILE_ATTRIBUTE_NORMAL, kNow - 2 * kDay, kNow - kDay, Verdict::TooYoung},
      {"written an hour ago", FILE_ATTRIBUTE_NORMAL, kNow - 2 * kDay, kNow - kTicksPerHour, Verdict::TooYoung},
      {"created an hour ago (copied old file)", FILE_ATTRIBUTE_NORMAL, kNow - kTicksPerHour, kNow - 2 * kDay,
       Verdict::TooYoung},
      {"written in the future", FILE_ATTRIBUTE_NORMAL, kNow - 2 * kDay, kNow + kDay, Verdict::TooYoung},
      {"times far in the future (no wrap-around)", FILE_ATTRIBUTE_NORMAL, ~FileTicks{0}, ~FileTicks{0},
       Verdict::TooYoung},
      {"an old read-only hidden system file", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
       kNow - 2 * kDay, kNow - 2 * kDay, Verdict::Delete},
      {"an old link", FILE_ATTRIBUTE_REPARSE_POINT, kNow - 2 * kDay, kNow - 2 * kDay, Verdict::Link},
      {"an old folder link", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, kNow - 2 * kDay,
       kNow - 2 * kDay, Verdict::Link},
      {"a young link", FILE_ATTRIBUTE_REPARSE_POINT, kNow, kNow, Verdict::Link},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Judge(c.attributes, c.creation, c.lastWrite, kNow), c.expected);
  }
}

TEST(SweepkinArguments, CleansOnlyWhenTheFirstArgumentIsDel) {
  struct Case {
    const wchar_t* commandLine;
    bool expected;
  };
  const Case cases[] = {
      {L"Sweepkin.exe /del", true},
      {L"Sweepkin.exe /DEL", true},
      {L"\"C:\\Program Files\\Klarvik\\Sweepkin.exe\" /del", true},
      // Unquoted, as older versions wrote the Run value: the path holds a space.
      {L"C:\\Program Files\\Klarvik\\Sweepkin.exe /del", true},
      {L"c:\\program files\\klarvik\\SWEEPKIN.EXE\t/del", true},
      {L"C:\\Program Files\\Klarvik\\Sweepkin.exe", false},
      {L"C:\\Program Files\\Other\\Sweepkin.exe /del", false},
      {L"C:\\Program Files\\Klarvik\\Sweepkin.exe2 /del", false},
      {L"Sweepkin.exe /delete", false},
      {L"Sweepkin.exe del", false},
      {L"Sweepkin.exe /auto1 /del", false},
      {L"Sweepkin.exe \"\" /del", false},
      {L"Sweepkin.exe", false},
      {L"", false},
  };
  const std::wstring program = L"C:\\Program Files\\Klarvik\\Sweepkin.exe";
  for (const Case& c : cases) {
    EXPECT_EQ(AsksToDelete(c.commandLine, program), c.expected) << testing::PrintToString(std::wstring(c.commandLine));
  }
}

TEST(SweepPaths, AFolderHoldsOnlyWhatLiesBelowIt) {
  struct Case {
    std::wstring folder;
    std::wstring path;
    bool expected;
  };
  const std::vector<Case> cases = {
      {LR"(\\?\C:\Users\me)", LR"(\\?\C:\Users\me)", true},
      {LR"(\\?\C:\USERS\ME\)", LR"(\\?\c:\users\me)", true},
      {LR"(\\?\C:\)", LR"(\\?\C:\Windows)", true},
      {LR"(\\?\C:\Users)", LR"(\\?\C:\Users\me\AppData\Local\Temp)", true},
      {LR"(\\?\C:\Users\me\Temp)", LR"(\\?\C:\Users\me)", false},
      {LR"(\\?\C:\Users\me)", LR"(\\?\C:\Users\me2)", false},
      {LR"(\\?\C:\Users\me)", LR"(\\?\D:\Users\me)", false},
      {LR"(\\?\C:\Program)", LR"(\\?\C:\Program Files)", false},
      {L"", LR"(\\?\C:\Windows)", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.folder + L" | " + c.path));
    EXPECT_EQ(IsSameOrAncestor(c.folder, c.path), c.expected);
  }
}

TEST(SweepLog, TrimmingKeepsTheNewestWholeLines) {
  struct Case {
    std::string text;
    std::size_t limit;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"one\r\ntwo\r\n", 100, "one\r\ntwo\r\n"},
      {"one\r\ntwo\r\n", 10, "one\r\ntwo\r\n"},
      {"one\r\ntwo\r\n", 9, "two\r\n"},
      {"one\r\ntwo\r\n", 5, "two\r\n"},
      {"one\r\ntwo\r\n", 4, ""},
      {"a very long first line\r\nb\r\nc\r\n", 7, "b\r\nc\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text) + " limit " + std::to_string(c.limit));
    EXPECT_EQ(KeepNewestLines(c.text, c.limit), c.expected);
  }
}

}  // namespace
}  // namespace klarvik::sweepkin
