#include "companions/clockrin/cleaner_start.h"

#include <windows.h>

#include "win/handles.h"

namespace klarvik::clockrin {

void StartCleaner(const std::wstring& folder) {
  const std::wstring program = folder + L"Sweepkin.exe";
  std::wstring commandLine = L"\"" + program + L"\" /del";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION started = {};
  if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                     folder.c_str(), &startup, &started)) {
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
  }
}

}  // namespace klarvik::clockrin
