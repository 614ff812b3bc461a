#pragma once
// The folders of this machine that a cleaning root must never be or hold.
#include <vector>

#include "companions/sweepkin/cleaning_root.h"

namespace klarvik::sweepkin {

// The Windows folder, the user's profile, the Program Files folders and the folder of
// the running program; and the shell's user-data folders (Desktop, Documents,
// Downloads, the media folders, OneDrive, application data and their public
// counterparts), which a temp folder may lie inside only under a temp folder's name.
std::vector<ProtectedFolder> ProtectedFolders();

}  // namespace klarvik::sweepkin
