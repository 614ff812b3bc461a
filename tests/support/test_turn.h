#pragma once
// Companion programs run once per session, and CTest runs test programs side by side:
// tests that start the real program take turns through a named mutex of their own.
#include <windows.h>

#include "win/handles.h"

namespace klarvik::test {

class TestTurn {
 public:
  // Waits up to two minutes for the turn; Held() says whether it came.
  explicit TestTurn(const wchar_t* name) : mutex_(CreateMutexW(nullptr, FALSE, name)) {
    if (!mutex_) return;
    const DWORD waited = WaitForSingleObject(mutex_.Get(), 120000);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  }
  ~TestTurn() {
    if (held_) ReleaseMutex(mutex_.Get());
  }
  TestTurn(const TestTurn&) = delete;
  TestTurn& operator=(const TestTurn&) = delete;

  bool Held() const { return held_; }

 private:
  UniqueKernelHandle mutex_;
  bool held_ = false;
};

inline constexpr const wchar_t* kCleanerTurn = L"Local\\Klarvik.CleanerTests.Turn";
inline constexpr const wchar_t* kSchedulerTurn = L"Local\\Klarvik.ClockrinTests.Turn";

}  // namespace klarvik::test
