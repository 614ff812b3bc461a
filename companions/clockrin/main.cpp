// Clockrin, the scheduler: started with "/autoN", it starts the cleaner every N hours
// until it is terminated. It has no window and spends its time waiting on a timer.
#include <windows.h>

#include <cwchar>
#include <string>

#include "companions/clockrin/cleaner_start.h"
#include "companions/clockrin/exit_codes.h"
#include "companions/clockrin/period_argument.h"
#include "companions/clockrin/schedule.h"
#include "companions/clockrin/single_instance.h"
#include "companions/common/program_paths.h"
#include "win/handles.h"
#include "win/module_path.h"

using namespace klarvik;

namespace {

using namespace klarvik::clockrin;

constexpr Ticks kTicksPerMs = 10'000;

Ticks Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return static_cast<Ticks>((static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}

// For the tests only: KLARVIK_CLOCKRIN_HOUR_MS=<1..3600000> makes an hour that many
// milliseconds long, so a run of the real program reaches its due times in a test.
Ticks TicksPerHour() {
  wchar_t text[16] = {};
  const DWORD length = GetEnvironmentVariableW(L"KLARVIK_CLOCKRIN_HOUR_MS", text, 16);
  if (length == 0 || length >= 16) return kTicksPerHour;
  wchar_t* end = nullptr;
  const unsigned long ms = std::wcstoul(text, &end, 10);
  if (*end != L'\0' || ms == 0 || ms > 3'600'000) return kTicksPerHour;
  return static_cast<Ticks>(ms) * kTicksPerMs;
}

[[noreturn]] void RunSchedule(Ticks period, HANDLE timer, const std::wstring& folder) {
  Schedule schedule(period, Now());
  // The absolute timer follows the wall clock, so a clock set back would push it out by
  // the whole jump; waking after two periods at the latest lets the schedule see that.
  const DWORD latestWakeMs = static_cast<DWORD>(2 * period / kTicksPerMs) + 1;
  for (;;) {
    LARGE_INTEGER due;
    due.QuadPart = schedule.NextDue();  // positive: absolute UTC
    // fResume FALSE: a due time passed in sleep fires once on resume; it never wakes the machine.
    SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
    WaitForSingleObject(timer, latestWakeMs);
    if (schedule.Advance(Now())) StartCleaner(folder);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::wstring path = RunningExecutablePath();
  const auto hours = PeriodHoursFromCommandLine(GetCommandLineW(), path);
  if (!hours) return kExitBadArgument;
  const UniqueKernelHandle instance = TakeSchedulerMutex(kPredecessorGraceMs);
  if (!instance) return kExitAlreadyRunning;
  const std::wstring folder = klarvik::FolderOf(path);
  // A process that runs for days must not keep the folder it was started in (perhaps
  // inside the temp folder) from being deleted.
  SetCurrentDirectoryW(folder.c_str());
  const UniqueKernelHandle timer(CreateWaitableTimerW(nullptr, FALSE, nullptr));
  if (!timer) return kExitNoTimer;
  RunSchedule(PeriodTicks(*hours, TicksPerHour()), timer.Get(), folder);
}
