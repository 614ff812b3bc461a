// The main window at rest in a stored skin, both gauges' lights running (the gauges set
// to the given percentages), nothing else happening: the program's own CPU time over the
// period as a share of one core, and the messages that woke it.
//   idle_cost_bench [seconds] [skin] [first gauge %] [second gauge %]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/main_window_session.h"
#include "runtime/application.h"

using namespace klarvik;

namespace {

double CpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::vector<std::wstring> arguments = bench::Arguments();
  const int seconds = bench::IntArgument(arguments, 0, 60);
  const std::wstring skin = arguments.size() > 1 ? arguments[1] : L"Steam2 (internal)";
  const int first = bench::IntArgument(arguments, 2, 47);
  const int second = bench::IntArgument(arguments, 3, 28);

  bench::OpenMainWindow();
  Form1->sSkinManager1->SetSkinName(skin);
  Form1->sSkinManager1->SetActive(true);
  Application->ProcessMessages();
  for (TsGauge* gauge : {Form1->sGauge1, Form1->sGauge2}) gauge->SetMaxValue(100);
  Form1->sGauge1->SetProgress(first);
  Form1->sGauge2->SetProgress(second);
  Application->ProcessMessages();
  Sleep(1000);
  Application->ProcessMessages();

  const double cpu0 = CpuSeconds();
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  long messages = 0;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ++messages;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  const double cpu = CpuSeconds() - cpu0;
  std::printf("main window at rest, gauges at %d %% and %d %%, both lights running, %d s:\n", first, second, seconds);
  std::printf("  program CPU: %.2f %% of one core (aim: under 1 %%)\n", cpu / seconds * 100);
  std::printf("  messages handled: %.1f a second\n", static_cast<double>(messages) / seconds);
  std::printf("  gauges drawn: %d and %d times\n", Form1->sGauge1->PaintCount(), Form1->sGauge2->PaintCount());
  std::fflush(stdout);
  delete Application;
  return 0;
}
