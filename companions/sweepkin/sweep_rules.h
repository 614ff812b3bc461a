#pragma once
// What the cleaner may do with one entry of the temp folder, judged from its attributes
// and its own times only.
#include <windows.h>

#include "companions/sweepkin/file_times.h"

namespace klarvik::sweepkin {

// Younger entries may still be in use by the program that made them.
constexpr FileTicks kMinimumAge = 24 * kTicksPerHour;

enum class Verdict { Delete, TooYoung, Link };

// A link (junction, symbolic link, mount point) is never deleted. Anything else goes
// only when both its creation and its last write lie more than kMinimumAge before now;
// times in the future count as young.
Verdict Judge(DWORD attributes, FileTicks creation, FileTicks lastWrite, FileTicks now);

}  // namespace klarvik::sweepkin
