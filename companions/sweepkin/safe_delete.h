#pragma once
// Deleting one file or one empty folder so that no link can redirect the deletion.
//
// Under Wine a Unix symbolic link to a file looks like the file itself, and deleting
// either kind of link through Win32 deletes its target. So the entry is opened first,
// and deleted through that handle only when the file system names the opened object
// by the very path that was listed: an entry reached through a link resolves elsewhere.
#include <windows.h>

#include <string>

namespace klarvik::sweepkin {

enum class DeleteOutcome { Deleted, Link, InUse, Denied, NotEmpty, Gone };

// `path` is a final \\?\ path whose age the caller has judged; `attributes` are the
// ones it was listed with (a second look at its times on the open handle would cost a
// third of the time of the whole deletion under Wine). A read-only file loses that
// attribute for the deletion and gets it back when the deletion fails, so a file that
// stays, stays as it was.
DeleteOutcome DeleteFileSafely(const std::wstring& path, DWORD attributes);

// Removes a folder that holds nothing; its age was judged before its contents went,
// since deleting them changed the folder's own times.
DeleteOutcome RemoveEmptyFolderSafely(const std::wstring& path);

}  // namespace klarvik::sweepkin
