// Sweepkin.exe "/del": empties the user's temp folder of old files, logs one line, exits.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "companions/sweepkin/background_priority.h"
#include "companions/sweepkin/cleaning_root.h"
#include "companions/sweepkin/exit_codes.h"
#include "companions/sweepkin/mode_argument.h"
#include "companions/sweepkin/protected_folders.h"
#include "companions/sweepkin/run_log.h"
#include "companions/sweepkin/single_instance.h"
#include "companions/sweepkin/sweep.h"
#include "win/module_path.h"

using namespace klarvik;

namespace {

using namespace klarvik::sweepkin;

std::wstring TempPath() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, path);
  return length > 0 && length <= MAX_PATH ? path : L"";
}

SYSTEMTIME LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now;
}

int Clean() {
  const SingleInstance instance(kCleanerMutexName);
  if (!instance.IsOnly()) return kExitAlreadyRunning;
  EnterBackgroundPriority();

  const std::wstring log = LogFilePath();
  const CleaningRoot root = CheckCleaningRoot(TempPath(), ProtectedFolders());
  if (root.path.empty()) {
    AppendLogLine(log, FormatRefusal(LocalNow(), root.refusal));
    return kExitRefused;
  }
  SweepReport report;
  Sweep(root.path, CurrentTicks(), report);
  AppendLogLine(log, FormatReport(LocalNow(), report));
  return kExitCleaned;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return AsksToDelete(GetCommandLineW(), RunningExecutablePath()) ? Clean() : kExitNotAsked;
}
