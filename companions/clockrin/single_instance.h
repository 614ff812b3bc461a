#pragma once
// One scheduler per user session.
#include <windows.h>

#include "win/handles.h"

namespace klarvik::clockrin {

// Held by the running scheduler for as long as it runs; Local\ keeps it to this session.
inline constexpr wchar_t kSchedulerMutexName[] = L"Local\\Klarvik.Clockrin.Running";

// How long a new scheduler waits for one that is being terminated.
inline constexpr DWORD kPredecessorGraceMs = 3000;

// Takes the scheduler mutex. A predecessor that is being terminated gets `graceMs` to
// go; the result is empty when another scheduler still holds the mutex after that.
UniqueKernelHandle TakeSchedulerMutex(DWORD graceMs);

}  // namespace klarvik::clockrin
