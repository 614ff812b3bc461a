// Times IsProcessRunning, which the front end calls every 250 ms while the cleaner runs:
// once for a path no process has, where every process is examined, and once for this
// program's own path, where the search stops at the match. Prints microseconds per poll,
// and per listing of the process ids alone, the part the system's process list costs.
#include <windows.h>

#include <cstdio>
#include <cstddef>
#include <cwchar>
#include <string>

#include "app/companions.h"
#include "win/module_path.h"

using namespace klarvik;

namespace {

constexpr int kWarmUpPolls = 50;

// Microseconds per call of `poll` over `polls` calls, after a warm-up.
template <class Poll>
double MicrosecondsPerCall(int polls, const Poll& poll) {
  for (int i = 0; i < kWarmUpPolls; ++i) poll();
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < polls; ++i) poll();
  QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart) / polls;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int polls = argc > 1 ? static_cast<int>(std::wcstol(argv[1], nullptr, 10)) : 2000;
  if (argc > 2 || polls <= 0) {
    std::fputs("usage: process_poll_bench [POLLS]\n", stderr);
    return 2;
  }
  const std::wstring running = RunningExecutablePath();
  const std::wstring absent = running.substr(0, running.find_last_of(L'\\') + 1) + L"Sweepkin-absent.exe";

  bool absentFound = true;
  bool runningFound = false;
  std::size_t processes = 0;
  const double absentTime = MicrosecondsPerCall(polls, [&] { absentFound = klarvik::IsProcessRunning(absent); });
  const double runningTime = MicrosecondsPerCall(polls, [&] { runningFound = klarvik::IsProcessRunning(running); });
  const double listingTime = MicrosecondsPerCall(polls, [&] { processes = klarvik::RunningProcessIds().size(); });

  std::printf("processes seen: %u\n", static_cast<unsigned>(processes));
  std::printf("path not running: %.1f us per poll (%d polls)\n", absentTime, polls);
  std::printf("own path, running: %.1f us per poll (%d polls)\n", runningTime, polls);
  std::printf("listing the process ids alone: %.1f us\n", listingTime);
  if (absentFound || !runningFound) {
    std::fputs("WRONG ANSWER: the absent path was found or the running one was not\n", stderr);
    return 1;
  }
  return 0;
}
