#include "companions/clockrin/single_instance.h"

namespace klarvik::clockrin {

UniqueKernelHandle TakeSchedulerMutex(DWORD graceMs) {
  UniqueKernelHandle mutex(CreateMutexW(nullptr, TRUE, kSchedulerMutexName));
  if (!mutex) return {};
  if (GetLastError() != ERROR_ALREADY_EXISTS) return mutex;
  // A terminated holder leaves the mutex abandoned, which hands it over like a release.
  const DWORD waited = WaitForSingleObject(mutex.Get(), graceMs);
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return mutex;
  return {};
}

}  // namespace klarvik::clockrin
