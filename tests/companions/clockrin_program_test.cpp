// The built Clockrin.exe, started as the front end starts it.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "companions/clockrin/exit_codes.h"
#include "companions/clockrin/single_instance.h"
#include "tests/support/scratch_env.h"
#include "tests/support/test_turn.h"
#include "win/handles.h"

namespace klarvik {

namespace {

using namespace klarvik::clockrin;
using klarvik::test::kSchedulerTurn;
using klarvik::test::TestTurn;

// The build names its programs by Unix path; under Wine the Unix root is drive Z:.
std::wstring BuiltProgram(const char* path) {
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, path, -1, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path, -1, wide.data(), static_cast<int>(wide.size()));
  wide.pop_back();
  if (wide.empty() || wide.front() != L'/') return wide;
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return L"Z:" + wide;
}

const std::wstring& ClockrinExe() {
  static const std::wstring path = BuiltProgram(KLARVIK_CLOCKRIN_EXE);
  return path;
}

// A started program; one still running when the test lets go of it is terminated.
class Program {
 public:
  Program(const std::wstring& path, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &started)) {
      process_.Reset(started.hProcess);
      mainThread_.Reset(started.hThread);
    }
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program() { Terminate(); }

  bool Started() const { return static_cast<bool>(process_); }

  // Its exit code if it ends within `ms`.
  std::optional<DWORD> ExitCodeWithin(DWORD ms) const {
    if (WaitForSingleObject(process_.Get(), ms) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
  }

  // User and kernel time its main thread has used, in 100-ns ticks. The scheduler works
  // on its main thread only; Wine reports no process times, but it does report thread times.
  std::optional<ULONGLONG> MainThreadCpuTime() const {
    FILETIME creation, exit, kernel, user;
    if (!GetThreadTimes(mainThread_.Get(), &creation, &exit, &kernel, &user)) return std::nullopt;
    const auto ticks = [](const FILETIME& t) {
      return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return ticks(kernel) + ticks(user);
  }

  // Ends it without waiting, as the front end does.
  void TerminateNow() const { TerminateProcess(process_.Get(), 0); }

  void Terminate() const {
    if (!process_) return;
    TerminateProcess(process_.Get(), 0);
    WaitForSingleObject(process_.Get(), 10000);
  }

 private:
  UniqueKernelHandle process_;
  UniqueKernelHandle mainThread_;
};

bool SchedulerMutexExists() {
  return static_cast<bool>(UniqueKernelHandle(OpenMutexW(SYNCHRONIZE, FALSE, kSchedulerMutexName)));
}

// True once a scheduler holds the session's mutex, i.e. it is past its start-up checks.
bool SchedulerRunsWithin(DWORD ms) {
  const ULONGLONG deadline = GetTickCount64() + ms;
  while (!SchedulerMutexExists()) {
    if (GetTickCount64() > deadline) return false;
    Sleep(10);
  }
  return true;
}

// Sets a variable of this process, and so of the programs it starts, for one scope.
class ScopedEnvironmentVariable {
 public:
  ScopedEnvironmentVariable(const wchar_t* name, const wchar_t* value) : name_(name) {
    SetEnvironmentVariableW(name, value);
  }
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;
  ~ScopedEnvironmentVariable() { SetEnvironmentVariableW(name_, nullptr); }

 private:
  const wchar_t* name_;
};

// The complete lines of a UTF-16 text file; empty when it is missing.
std::vector<std::wstring> ReadLines(const std::wstring& path) {
  const UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  std::wstring text(GetFileSize(file.Get(), nullptr) / sizeof(wchar_t), L'\0');
  DWORD read = 0;
  ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
  text.resize(read / sizeof(wchar_t));
  std::vector<std::wstring> lines;
  for (size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// Only one scheduler runs per session, and CTest runs tests side by side: the tests
// that start one take turns through a mutex of their own.
class ClockrinProgram : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(turn_.Held()) << "no turn within two minutes";
    ASSERT_FALSE(SchedulerMutexExists()) << "a scheduler from elsewhere runs in this session";
  }

 private:
  TestTurn turn_{kSchedulerTurn};
};

TEST_F(ClockrinProgram, ExitsAtOnceWithoutAnOfferedPeriod) {
  for (const wchar_t* arguments : {L"", L"/auto7", L"/del"}) {
    const Program clockrin(ClockrinExe(), arguments);
    ASSERT_TRUE(clockrin.Started());
    EXPECT_EQ(clockrin.ExitCodeWithin(10000), static_cast<DWORD>(kExitBadArgument))
        << "arguments: " << testing::PrintToString(std::wstring(arguments));
  }
}

TEST_F(ClockrinProgram, WaitsWithoutUsingTheProcessorUntilTerminated) {
  const Program clockrin(ClockrinExe(), L"/auto1");
  ASSERT_TRUE(clockrin.Started());
  ASSERT_TRUE(SchedulerRunsWithin(10000));
  const std::optional<ULONGLONG> before = clockrin.MainThreadCpuTime();
  EXPECT_EQ(clockrin.ExitCodeWithin(1000), std::nullopt);
  const std::optional<ULONGLONG> after = clockrin.MainThreadCpuTime();
  ASSERT_TRUE(before && after);
  EXPECT_LE(*after - *before, 200'000u) << "100-ns ticks of processor time in one idle second";  // two clock ticks

  clockrin.TerminateNow();
  EXPECT_EQ(clockrin.ExitCodeWithin(10000), 0u);
  EXPECT_FALSE(SchedulerMutexExists());
}

TEST_F(ClockrinProgram, OnlyOneRunsPerSessionAndASuccessorTakesOverAtOnce) {
  const Program first(ClockrinExe(), L"/auto12");
  ASSERT_TRUE(first.Started());
  ASSERT_TRUE(SchedulerRunsWithin(10000));

  const Program second(ClockrinExe(), L"/auto1");
  ASSERT_TRUE(second.Started());
  EXPECT_EQ(second.ExitCodeWithin(kPredecessorGraceMs + 5000), static_cast<DWORD>(kExitAlreadyRunning));
  EXPECT_EQ(first.ExitCodeWithin(0), std::nullopt) << "the running scheduler must stay";

  // The front end terminates the old scheduler and starts the new one straight away.
  first.TerminateNow();
  const Program successor(ClockrinExe(), L"/auto2");
  ASSERT_TRUE(successor.Started());
  EXPECT_EQ(first.ExitCodeWithin(10000), 0u);
  EXPECT_EQ(successor.ExitCodeWithin(kPredecessorGraceMs + 1000), std::nullopt)
      << "the successor gave up instead of taking over";
}

TEST_F(ClockrinProgram, WaitsBrieflyForAPredecessorToLetGo) {
  // This test plays the predecessor that is still ending when its successor starts.
  UniqueKernelHandle predecessor(CreateMutexW(nullptr, TRUE, kSchedulerMutexName));
  ASSERT_TRUE(predecessor);
  const Program successor(ClockrinExe(), L"/auto4");
  ASSERT_TRUE(successor.Started());
  EXPECT_EQ(successor.ExitCodeWithin(kPredecessorGraceMs / 3), std::nullopt) << "gave up without waiting";
  ReleaseMutex(predecessor.Get());
  predecessor.Reset();
  EXPECT_EQ(successor.ExitCodeWithin(kPredecessorGraceMs + 1000), std::nullopt) << "did not take over";
}

TEST_F(ClockrinProgram, StartsTheCleanerBesideItselfOncePerPeriod) {
  const std::wstring folder = klarvik::test::FreshScratchFolder(L"clockrin copy");
  ASSERT_TRUE(CopyFileW(ClockrinExe().c_str(), (folder + L"Clockrin.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(BuiltProgram(KLARVIK_FAKE_CLEANER_EXE).c_str(), (folder + L"Sweepkin.exe").c_str(), FALSE));
  const std::wstring runs = folder + L"cleaner-runs.txt";

  constexpr ULONGLONG kHourMs = 250;
  const ULONGLONG start = GetTickCount64();
  ULONGLONG elapsed = 0;
  {
    const ScopedEnvironmentVariable shortHours(L"KLARVIK_CLOCKRIN_HOUR_MS", L"250");
    const Program clockrin(folder + L"Clockrin.exe", L"/auto1");
    ASSERT_TRUE(clockrin.Started());
    while (ReadLines(runs).size() < 3 && GetTickCount64() - start < 20000) Sleep(50);
    elapsed = GetTickCount64() - start;
    clockrin.Terminate();
  }
  Sleep(200);  // a cleaner started last may still be writing its line

  const std::vector<std::wstring> lines = ReadLines(runs);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_LE(lines.size(), elapsed / kHourMs + 1) << "cleaned more often than once per period in " << elapsed << " ms";
  for (const std::wstring& line : lines) {
    EXPECT_EQ(line, L"\"" + folder + L"Sweepkin.exe\" /del");
  }
}

}  // namespace

}  // namespace klarvik
