// The companion-program helpers: the command texts stored in the Run values and how a
// stored one is recognised, and the process helpers against real child processes (a
// stand-in program copied under other names into scratch folders). The stand-ins get
// names of their own per test process, so that tests running side by side, and real
// companion programs, never end one another's processes.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/companions.h"
#include "tests/fixtures/dummy_child.h"
#include "tests/support/scratch_env.h"
#include "win/handles.h"

namespace klarvik {
namespace {

using test::FreshScratchFolder;

// ---- Command texts ----

struct CommandCase {
  const wchar_t* folder;
  const wchar_t* program;
  const wchar_t* argument;
  const wchar_t* command;
};

TEST(CompanionCommand, QuotesThePathSoThatFoldersWithSpacesStayOneName) {
  const CommandCase cases[] = {
      {LR"(C:\Program Files\Klarvik\)", L"Sweepkin.exe", L"/del", LR"("C:\Program Files\Klarvik\Sweepkin.exe" /del)"},
      {LR"(D:\Tools\)", L"Clockrin.exe", L"/auto12", LR"("D:\Tools\Clockrin.exe" /auto12)"},
      {LR"(D:\Tools\)", L"Clockrin.exe", L"", LR"("D:\Tools\Clockrin.exe")"},
  };
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(c.command);
    EXPECT_EQ(CompanionCommand(c.folder, c.program, c.argument), c.command);
    EXPECT_TRUE(CommandNames(CompanionCommand(c.folder, c.program, c.argument), c.folder, c.program, c.argument));
  }
}

struct StoredCase {
  const wchar_t* value;
  const wchar_t* argument;
  bool names;
};

TEST(CommandNames, AcceptsQuotedAndOlderUnquotedTextsWithThePathInAnyCase) {
  const wchar_t* const folder = LR"(C:\Program Files\Klarvik\)";
  const StoredCase cases[] = {
      {LR"("C:\Program Files\Klarvik\Clockrin.exe" /auto8)", L"/auto8", true},
      {LR"(C:\Program Files\Klarvik\Clockrin.exe /auto8)", L"/auto8", true},
      {LR"("c:\program files\KLARVIK\CLOCKRIN.EXE" /auto8)", L"/auto8", true},
      {LR"(c:\PROGRAM FILES\klarvik\clockrin.exe /auto8)", L"/auto8", true},
      {LR"("C:\Program Files\Klarvik\Clockrin.exe")", L"", true},
      {LR"(C:\Program Files\Klarvik\Clockrin.exe)", L"", true},
      // The argument is the scheduler's period: only the same text is the same period.
      {LR"("C:\Program Files\Klarvik\Clockrin.exe" /AUTO8)", L"/auto8", false},
      {LR"("C:\Program Files\Klarvik\Clockrin.exe" /auto1)", L"/auto12", false},
      {LR"("C:\Program Files\Klarvik\Clockrin.exe" /auto12)", L"/auto1", false},
      {LR"(C:\Program Files\Klarvik\Clockrin.exe /auto12)", L"/auto1", false},
      {LR"("C:\Program Files\Klarvik\Clockrin.exe")", L"/auto8", false},
      {LR"("C:\Program Files\Klarvik\Clockrin.exe" /auto8)", L"", false},
      {LR"("C:\Program Files\Klarvik\Clockrin.exe"  /auto8)", L"/auto8", false},
      {LR"("C:\Program Files\Klarvik\Clockrin.exe" /auto8 )", L"/auto8", false},
      {LR"("C:\Program Files\Klarvik\Clockrin.exe"/auto8)", L"/auto8", false},
      // Quotes must pair up around the path.
      {LR"("C:\Program Files\Klarvik\Clockrin.exe /auto8)", L"/auto8", false},
      {LR"(C:\Program Files\Klarvik\Clockrin.exe" /auto8)", L"/auto8", false},
      {LR"(")", L"", false},
      {L"", L"", false},
      // Another folder or another program is not this one.
      {LR"("D:\Klarvik\Clockrin.exe" /auto8)", L"/auto8", false},
      {LR"("C:\Program Files\Klarvik\Old\Clockrin.exe" /auto8)", L"/auto8", false},
      {LR"(C:\Program Files\Klarvik\Sweepkin.exe /auto8)", L"/auto8", false},
      {LR"("C:\Program Files\Klarvik\OldClockrin.exe" /auto8)", L"/auto8", false},
  };
  for (const StoredCase& c : cases) {
    SCOPED_TRACE(std::wstring(c.value) + L" | " + c.argument);
    EXPECT_EQ(CommandNames(c.value, folder, L"Clockrin.exe", c.argument), c.names);
  }
}

// ---- Processes ----

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::wstring Upper(std::wstring text) {
  CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring Extended(const std::wstring& path) { return LR"(\\?\)" + path; }

// A stand-in file name that only this test process uses: "<stem>-<process id>.exe".
std::wstring OwnName(const std::wstring& stem) {
  return stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L".exe";
}

std::wstring StandInSource() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path.substr(0, path.find_last_of(L'\\') + 1) + test::kDummyChildFileName;
}

// Copies the stand-in program into `folder` as `name`; empty when that fails.
std::wstring PlaceStandIn(const std::wstring& folder, const std::wstring& name) {
  const std::wstring path = folder + name;
  return CopyFileW(Extended(StandInSource()).c_str(), Extended(path).c_str(), FALSE) ? path : std::wstring();
}

bool WithinMs(DWORD limit, const std::function<bool()>& condition) {
  for (DWORD waited = 0; waited < limit; waited += 20) {
    if (condition()) return true;
    Sleep(20);
  }
  return condition();
}

// A started stand-in; ended, if still running, when the test leaves its scope.
class Child {
 public:
  explicit Child(const std::wstring& path, const std::wstring& argument = L"") {
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!argument.empty()) commandLine += L" " + argument;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    // No console at all: under Wine a console host made for a child can outlive it and
    // keep the test's output pipe open.
    if (!CreateProcessW(Extended(path).c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                        nullptr, nullptr, &startup, &info)) {
      return;
    }
    process_.Reset(info.hProcess);
    thread_.Reset(info.hThread);
    id_ = info.dwProcessId;
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() { End(); }

  bool Started() const { return static_cast<bool>(process_); }
  DWORD Id() const { return id_; }
  bool Exited(DWORD waitMs = 0) const { return WaitForSingleObject(process_.Get(), waitMs) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
  }
  void End() {
    if (process_ && !Exited()) {
      TerminateProcess(process_.Get(), 1);
      WaitForSingleObject(process_.Get(), 5000);
    }
  }

 private:
  UniqueKernelHandle process_;
  UniqueKernelHandle thread_;
  DWORD id_ = 0;
};

// A folder deep enough that the stand-in's path passes 301 characters and MAX_PATH.
std::wstring LongFolder() {
  std::wstring folder = FreshScratchFolder(L"long");
  const std::wstring level(60, L'k');
  while (folder.size() < 340) {
    folder += level + L"\\";
    if (!CreateDirectoryW(Extended(folder).c_str(), nullptr)) return {};
  }
  return folder;
}

TEST(IsProcessRunning, FindsAProcessByItsPathInAnyLetterCaseAndNotOnceItHasEnded) {
  const std::wstring name = OwnName(L"Sweepkin");
  const std::wstring path = PlaceStandIn(FreshScratchFolder(L"program folder"), name);
  const std::wstring idle = PlaceStandIn(FreshScratchFolder(L"other folder"), name);
  ASSERT_FALSE(path.empty());
  ASSERT_FALSE(idle.empty());
  EXPECT_FALSE(IsProcessRunning(path));

  Child child(path);
  ASSERT_TRUE(child.Started());
  EXPECT_TRUE(IsProcessRunning(path));
  EXPECT_TRUE(IsProcessRunning(Upper(path)));
  EXPECT_TRUE(IsProcessRunning(Lower(path)));
  EXPECT_FALSE(IsProcessRunning(idle)) << "same name, other folder";
  EXPECT_FALSE(IsProcessRunning(path.substr(0, path.size() - 4))) << "path without its extension";

  child.End();
  EXPECT_FALSE(IsProcessRunning(path));

  // The process found last is checked first; a new one of that path is found all the same.
  Child again(path);
  ASSERT_TRUE(again.Started());
  EXPECT_TRUE(IsProcessRunning(path));
  again.End();
  EXPECT_FALSE(IsProcessRunning(path));
}

// Both ways of reading a process's path must give the whole path it was started from.
void ExpectPathReadBothWays(const Child& child, const std::wstring& path) {
  EXPECT_TRUE(IsProcessRunning(path));
  EXPECT_TRUE(SamePath(QueriedImagePath(child.Id()), path)) << QueriedImagePath(child.Id());
  // The module list exists only once the child's loader has run.
  std::wstring modulePath;
  EXPECT_TRUE(WithinMs(5000, [&] { return !(modulePath = FirstModulePath(child.Id())).empty(); }));
  EXPECT_TRUE(SamePath(modulePath, path)) << modulePath;
}

TEST(IsProcessRunning, ReadsThePathBothWays) {
  const std::wstring path = PlaceStandIn(FreshScratchFolder(L"both ways"), OwnName(L"Sweepkin"));
  ASSERT_FALSE(path.empty());
  const Child child(path);
  ASSERT_TRUE(child.Started());
  ExpectPathReadBothWays(child, path);
}

// Past 301 characters and MAX_PATH, where a fixed buffer would cut the path.
TEST(IsProcessRunning, ReadsPathsPastMaxPathBothWays) {
  const std::wstring folder = LongFolder();
  ASSERT_FALSE(folder.empty());
  const std::wstring path = PlaceStandIn(folder, OwnName(L"Sweepkin"));
  ASSERT_FALSE(path.empty());
  const Child child(path);
  if (!child.Started()) {
    GTEST_SKIP() << "this system cannot start a program from a path past MAX_PATH (Wine 8 cannot)";
  }
  ExpectPathReadBothWays(child, path);
}

TEST(IsProcessRunning, ProcessListGrowsUntilEveryProcessFits) {
  const std::wstring folder = FreshScratchFolder(L"list");
  const Child first(PlaceStandIn(folder, OwnName(L"First")));
  const Child second(PlaceStandIn(folder, OwnName(L"Second")));
  ASSERT_TRUE(first.Started());
  ASSERT_TRUE(second.Started());
  for (const std::size_t firstGuess : {std::size_t{1}, std::size_t{2}, std::size_t{1024}}) {
    SCOPED_TRACE(firstGuess);
    const std::vector<DWORD> ids = RunningProcessIds(firstGuess);
    for (const DWORD id : {GetCurrentProcessId(), first.Id(), second.Id()}) {
      EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << "process " << id;
    }
  }
}

// The front end polls for the cleaner right after starting it, so a process just
// started through the shell must already be found; and the argument must reach it
// (this stand-in exits by itself after the milliseconds it is given).
TEST(StartCompanion, StartsTheProgramWithItsArgumentFromAFolderWithSpaces) {
  const std::wstring folder = FreshScratchFolder(L"Klarvik folder");
  const std::wstring name = OwnName(L"Sweepkin");
  const std::wstring path = PlaceStandIn(folder, name);
  ASSERT_FALSE(path.empty());
  struct EndLeftovers {
    std::wstring name;
    ~EndLeftovers() { TerminateProcessByName(name); }
  } endLeftovers{name};

  StartCompanion(folder, name, L"1500");
  EXPECT_TRUE(IsProcessRunning(path));
  EXPECT_TRUE(WithinMs(10000, [&] { return !IsProcessRunning(path); }));
}

TEST(TerminateProcessByName, EndsEveryNamesakeWhereverItRunsAndWaitsForThem) {
  const std::wstring name = OwnName(L"Clockrin");
  const std::wstring first = FreshScratchFolder(L"first");
  const std::wstring second = FreshScratchFolder(L"second folder");
  Child here(PlaceStandIn(first, name));
  Child there(PlaceStandIn(second, name));
  Child similar(PlaceStandIn(first, L"Old" + name));
  ASSERT_TRUE(here.Started());
  ASSERT_TRUE(there.Started());
  ASSERT_TRUE(similar.Started());

  TerminateProcessByName(Upper(name));
  // Already gone when the call returns: a new scheduler never overlaps the old one.
  EXPECT_TRUE(here.Exited());
  EXPECT_TRUE(there.Exited());
  EXPECT_EQ(here.ExitCode(), 0u);
  EXPECT_FALSE(similar.Exited()) << "another name that ends in the same text";
  EXPECT_FALSE(IsProcessRunning(first + name));
  EXPECT_FALSE(IsProcessRunning(second + name));
}

// The caller runs a program of that name too; it must end its namesakes and live on.
TEST(TerminateProcessByName, NeverEndsTheCallingProcess) {
  const std::wstring folder = FreshScratchFolder(L"self");
  const std::wstring path = PlaceStandIn(folder, OwnName(L"Self"));
  Child namesake(path);
  ASSERT_TRUE(namesake.Started());
  Child caller(path, test::kEndOwnNameArgument);
  ASSERT_TRUE(caller.Started());

  ASSERT_TRUE(caller.Exited(10000));
  EXPECT_EQ(caller.ExitCode(), static_cast<DWORD>(test::kSparedExitCode));
  EXPECT_TRUE(namesake.Exited());
}

}  // namespace
}  // namespace klarvik
