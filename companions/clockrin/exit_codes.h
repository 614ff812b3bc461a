#pragma once
// How the scheduler ends when it does not run: it has no window to say why.

namespace klarvik::clockrin {

enum ExitCode : int {
  kExitBadArgument = 2,   // the first argument is not one of "/auto1" .. "/auto12"
  kExitAlreadyRunning = 3,  // another scheduler of this session still runs
  kExitNoTimer = 4,       // no waitable timer could be made
};

}  // namespace klarvik::clockrin
