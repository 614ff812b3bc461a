#include "companions/sweepkin/single_instance.h"

namespace klarvik::sweepkin {

SingleInstance::SingleInstance(const wchar_t* name)
    : mutex_(CreateMutexW(nullptr, FALSE, name)), only_(mutex_ && GetLastError() != ERROR_ALREADY_EXISTS) {}

}  // namespace klarvik::sweepkin
