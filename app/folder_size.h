#pragma once
// Size of a folder tree: every file below it, hidden and system files included.
#include <cstdint>
#include <string>

namespace klarvik {

// Bytes in all files at any depth below `path` (with or without a trailing
// backslash); 0 for an empty or unreadable folder. Links (junctions, symbolic
// links, any reparse point) are never followed, so a link cannot loop or count
// files outside the tree. A sub-folder that cannot be listed counts 0 and the
// rest is still summed. Paths past MAX_PATH and names in any script are fine.
std::int64_t GetFolderSize(const std::wstring& path);

}  // namespace klarvik
