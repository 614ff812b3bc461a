#pragma once
// One cleaning pass over the contents of a folder.
#include <string>

#include "companions/sweepkin/file_times.h"
#include "companions/sweepkin/sweep_report.h"

namespace klarvik::sweepkin {

// Deletes every file below `root` that is old enough at `now` and not a link, skipping
// (and counting) what is young, in use or denied; then removes the folders below `root`
// that are left empty and were old enough before the pass began, each after everything
// inside it. `root` is a final \\?\ path (see CheckCleaningRoot); it is never removed,
// and no link is followed or deleted.
void Sweep(const std::wstring& root, FileTicks now, SweepReport& report);

}  // namespace klarvik::sweepkin
