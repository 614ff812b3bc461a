#pragma once
// How Sweepkin.exe ends. The front end only waits for the process; the codes serve
// whoever starts it by hand, and the tests.
namespace klarvik::sweepkin {

enum ExitCode : int {
  kExitCleaned = 0,
  kExitNotAsked = 1,        // the first argument was not "/del"
  kExitAlreadyRunning = 2,  // another cleaner holds the session's mutex
  kExitRefused = 3,         // the temp folder failed a safety check (the log says which)
};

}  // namespace klarvik::sweepkin
