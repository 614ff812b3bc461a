// The built Sweepkin.exe, started the way the front end starts it, on a temp folder
// redirected to scratch through its environment.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "companions/sweepkin/exit_codes.h"
#include "companions/sweepkin/single_instance.h"
#include "tests/companions/sweepkin_fixture.h"
#include "tests/support/scratch_env.h"
#include "tests/support/test_turn.h"
#include "win/handles.h"

namespace klarvik::test {
namespace {

using namespace klarvik::sweepkin;

// Sweepkin.exe is built at the top of the build folder, two levels above this test.
std::wstring CleanerPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  for (int level = 0; level < 3; ++level) folder.resize(folder.find_last_of(L'\\'));
  return folder + L"\\Sweepkin.exe";
}

// This process's environment with TMP and TEMP replaced: never the real temp folder.
std::vector<wchar_t> EnvironmentWithTemp(const std::wstring& temp) {
  std::vector<wchar_t> block;
  const auto add = [&](const std::wstring& entry) {
    block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
  };
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
    if (_wcsnicmp(entry, L"TMP=", 4) != 0 && _wcsnicmp(entry, L"TEMP=", 5) != 0) add(entry);
  }
  FreeEnvironmentStringsW(strings);
  add(L"TMP=" + temp);
  add(L"TEMP=" + temp);
  block.push_back(L'\0');
  return block;
}

// Runs `program` with exactly `commandLine` and returns its exit code, or -1 when it
// could not start or did not end within a minute.
int RunProgram(const std::wstring& program, std::wstring commandLine, const std::wstring& temp) {
  std::vector<wchar_t> environment = EnvironmentWithTemp(temp);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      environment.data(), nullptr, &startup, &process)) {
    return -1;
  }
  const UniqueKernelHandle processHandle(process.hProcess);
  const UniqueKernelHandle threadHandle(process.hThread);
  if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  return static_cast<int>(code);
}

// Runs the built cleaner with `argument`, its path quoted as the front end starts it.
int RunCleaner(const std::wstring& argument, const std::wstring& temp) {
  return RunProgram(CleanerPath(), L"\"" + CleanerPath() + L"\" " + argument, temp);
}

std::wstring LogPath() {
  wchar_t appData[MAX_PATH] = {};
  GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
  return std::wstring(appData) + L"\\Bramwick\\Klarvik\\Sweepkin.log";
}

std::string ReadText(const std::wstring& path) {
  const UniqueKernelHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  std::string text(1 << 20, '\0');
  DWORD read = 0;
  if (!file || !ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return {};
  text.resize(read);
  return text;
}

const std::vector<AgedEntry> kTree = {{L"old.tmp"}, {L"young.tmp", kYoung}, {L"sub\\old.tmp"}, {L"sub\\"}};

// The front end's tests start the real cleaner too; each run needs the session to itself.
class SweepkinProgram : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(turn_.Held()) << "no turn within two minutes"; }

 private:
  TestTurn turn_{kCleanerTurn};
};

TEST_F(SweepkinProgram, CleansTheRedirectedTempFolderAndLogsTheRun) {
  const std::wstring temp = FreshScratchFolder(L"program-temp");
  ASSERT_TRUE(MakeAgedTree(temp, kTree));
  DeleteFileW(LogPath().c_str());

  EXPECT_EQ(RunCleaner(L"/del", temp), kExitCleaned);

  EXPECT_FALSE(Exists(temp + L"old.tmp"));
  EXPECT_FALSE(Exists(temp + L"sub"));
  EXPECT_TRUE(Exists(temp + L"young.tmp"));
  EXPECT_TRUE(Exists(temp));
  const std::string log = ReadText(LogPath());
  EXPECT_NE(log.find(" deleted 2 files (20 bytes); skipped 0 in use, 0 denied, 1 too young, 0 links; "
                     "removed 1 folders\r\n"),
            std::string::npos)
      << log;
}

// Older versions wrote the Run value unquoted; from a folder with a space, the logon
// then starts the cleaner with its path split at the space.
TEST_F(SweepkinProgram, CleansWhenStartedFromAnUnquotedRunValueInAFolderWithASpace) {
  const std::wstring folder = FreshScratchFolder(L"Program Files") + L"Klarvik\\";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring program = folder + L"Sweepkin.exe";
  ASSERT_TRUE(CopyFileW(CleanerPath().c_str(), program.c_str(), FALSE));
  const std::wstring temp = FreshScratchFolder(L"program-unquoted");
  ASSERT_TRUE(MakeAgedTree(temp, kTree));

  EXPECT_EQ(RunProgram(program, program + L" /del", temp), kExitCleaned);

  EXPECT_FALSE(Exists(temp + L"old.tmp"));
  EXPECT_FALSE(Exists(temp + L"sub"));
  EXPECT_TRUE(Exists(temp + L"young.tmp"));
}

TEST_F(SweepkinProgram, DoesNothingWithoutDelOrWhileAnotherCleanerRuns) {
  const std::wstring temp = FreshScratchFolder(L"program-idle");
  ASSERT_TRUE(MakeAgedTree(temp, kTree));
  {
    SCOPED_TRACE("other arguments");
    for (const wchar_t* argument : {L"", L"/delete", L"del", L"/auto1 /del"}) {
      EXPECT_EQ(RunCleaner(argument, temp), kExitNotAsked) << testing::PrintToString(std::wstring(argument));
    }
  }
  {
    SCOPED_TRACE("a second cleaner");
    const SingleInstance held(kCleanerMutexName);
    ASSERT_TRUE(held.IsOnly());
    EXPECT_EQ(RunCleaner(L"/del", temp), kExitAlreadyRunning);
  }
  EXPECT_TRUE(Exists(temp + L"old.tmp"));
  EXPECT_TRUE(Exists(temp + L"sub\\old.tmp"));
}

// Only a harmless refusal is tried on the real program: a temp path that names no
// folder. Were the check broken, the program would still find nothing to delete.
TEST_F(SweepkinProgram, RefusesATempPathThatIsNoFolderAndSaysWhy) {
  const std::wstring temp = FreshScratchFolder(L"program-refused");
  ASSERT_TRUE(MakeAgedTree(temp, kTree));

  EXPECT_EQ(RunCleaner(L"/del", temp + L"old.tmp"), kExitRefused);

  EXPECT_TRUE(Exists(temp + L"old.tmp"));
  EXPECT_NE(ReadText(LogPath()).find(" refused: the temp path is not a folder"), std::string::npos);
}

}  // namespace
}  // namespace klarvik::test
