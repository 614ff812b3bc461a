#include "companions/sweepkin/sweep.h"

#include <windows.h>

#include <vector>

#include "companions/sweepkin/safe_delete.h"
#include "companions/sweepkin/sweep_rules.h"
#include "win/directory_listing.h"
#include "win/handles.h"

namespace klarvik::sweepkin {
namespace {

void Count(DeleteOutcome outcome, std::uint64_t size, SweepReport& report) {
  switch (outcome) {
    case DeleteOutcome::Deleted:
      ++report.filesDeleted;
      report.bytesDeleted += size;
      break;
    case DeleteOutcome::Link:
      ++report.skippedLinks;
      break;
    case DeleteOutcome::InUse:
      ++report.skippedInUse;
      break;
    case DeleteOutcome::Denied:
    case DeleteOutcome::NotEmpty:
      ++report.skippedDenied;
      break;
    case DeleteOutcome::Gone:
      break;  // someone else deleted it meanwhile
  }
}

// A folder met on the way, with the verdict on its own times as they were before
// anything inside it was deleted.
struct FoundFolder {
  std::wstring path;
  bool oldEnough;
};

}  // namespace

void Sweep(const std::wstring& root, FileTicks now, SweepReport& report) {
  std::wstring start = root;
  if (start.empty()) return;
  if (start.back() != L'\\') start += L'\\';

  // Folders still to list, each with its trailing backslash: a stack of our own,
  // since recursion could exhaust the thread's stack on a deep tree.
  std::vector<std::wstring> pending{std::move(start)};
  std::vector<FoundFolder> found;
  DirectoryLister lister;
  WIN32_FIND_DATAW entry;
  while (!pending.empty()) {
    std::wstring folder = std::move(pending.back());
    pending.pop_back();
    folder += L'*';
    const UniqueFindHandle find(lister.First(folder, entry));
    folder.pop_back();
    if (!find) continue;  // unreadable: the rest goes on
    do {
      if (IsDotEntry(entry.cFileName)) continue;
      const Verdict verdict = Judge(entry.dwFileAttributes, ToTicks(entry.ftCreationTime),
                                    ToTicks(entry.ftLastWriteTime), now);
      if (verdict == Verdict::Link) {
        ++report.skippedLinks;
      } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        std::wstring path = folder + entry.cFileName;
        found.push_back({path, verdict == Verdict::Delete});
        pending.push_back(std::move(path) + L'\\');
      } else if (verdict == Verdict::TooYoung) {
        ++report.skippedTooYoung;
      } else {
        Count(DeleteFileSafely(folder + entry.cFileName, entry.dwFileAttributes), FileSizeOf(entry), report);
      }
    } while (FindNextFileW(find.Get(), &entry));
  }

  // Each folder was found before anything inside it, so backwards every folder comes
  // after its contents. A folder still holding something simply stays.
  for (auto folder = found.rbegin(); folder != found.rend(); ++folder) {
    if (folder->oldEnough && RemoveEmptyFolderSafely(folder->path) == DeleteOutcome::Deleted) {
      ++report.foldersRemoved;
    }
  }
}

}  // namespace klarvik::sweepkin
