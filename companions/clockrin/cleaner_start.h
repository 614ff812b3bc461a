#pragma once
// Starting the cleaner that lies beside the scheduler.
#include <string>

namespace klarvik::clockrin {

// Starts "<folder>Sweepkin.exe" /del without a window and without waiting for it.
// A failed start is not reported: there is no one to tell, and the next period tries again.
void StartCleaner(const std::wstring& folder);

}  // namespace klarvik::clockrin
