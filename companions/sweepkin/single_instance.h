#pragma once
// One cleaner at a time in a session: two at once would fight over the same files.
#include "win/handles.h"

namespace klarvik::sweepkin {

constexpr wchar_t kCleanerMutexName[] = L"Local\\Bramwick.Klarvik.Sweepkin";

// Holds the named mutex for its lifetime; IsOnly() is false when another holder already had it.
class SingleInstance {
 public:
  explicit SingleInstance(const wchar_t* name);
  bool IsOnly() const { return only_; }

 private:
  UniqueKernelHandle mutex_;
  bool only_;
};

}  // namespace klarvik::sweepkin
