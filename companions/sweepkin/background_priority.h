#pragma once
// Keeps the cleaner from slowing down what the user is doing.
namespace klarvik::sweepkin {

// Background processing mode (low disk and memory priority too) where the system grants
// it; otherwise, as under Wine, the idle priority class.
void EnterBackgroundPriority();

}  // namespace klarvik::sweepkin
