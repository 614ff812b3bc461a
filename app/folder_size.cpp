#include "app/folder_size.h"

#include <windows.h>

#include <vector>

#include "win/directory_listing.h"
#include "win/handles.h"
#include "win/long_path.h"

namespace klarvik {

std::int64_t GetFolderSize(const std::wstring& path) {
  std::wstring root = ExtendedLengthPath(path);
  if (root.empty()) return 0;
  if (root.back() != L'\\') root += L'\\';

  // Folders still to list, each with its trailing backslash. A stack of our own
  // rather than recursion: a deep tree must not exhaust the thread's stack.
  std::vector<std::wstring> pending{std::move(root)};
  DirectoryLister lister;
  WIN32_FIND_DATAW entry;
  std::int64_t total = 0;
  while (!pending.empty()) {
    std::wstring folder = std::move(pending.back());
    pending.pop_back();
    folder += L'*';
    const UniqueFindHandle find(lister.First(folder, entry));
    folder.pop_back();
    if (!find) continue;  // unreadable: counts nothing, the rest goes on
    do {
      // A link (junction, symbolic link, mount point) is neither followed nor
      // counted: it could lead back up the tree or out of it. Wine shows a Unix
      // symbolic link to a folder as a reparse point too, so the same test holds there.
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (!IsDotEntry(entry.cFileName)) pending.push_back(folder + entry.cFileName + L'\\');
      } else {
        total += static_cast<std::int64_t>(FileSizeOf(entry));
      }
    } while (FindNextFileW(find.Get(), &entry));
  }
  return total;
}

}  // namespace klarvik
