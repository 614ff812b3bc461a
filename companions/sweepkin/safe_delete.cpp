#include "companions/sweepkin/safe_delete.h"

#include <windows.h>

#include "companions/sweepkin/final_path.h"
#include "win/handles.h"

namespace klarvik::sweepkin {
namespace {

DeleteOutcome FromError(DWORD error) {
  switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return DeleteOutcome::InUse;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return DeleteOutcome::Gone;
    case ERROR_DIR_NOT_EMPTY:
      return DeleteOutcome::NotEmpty;
    default:
      return DeleteOutcome::Denied;
  }
}

// Opens the entry itself, never what a link points to, sharing everything so that
// the cleaner never blocks the programs it may find still at work.
UniqueKernelHandle OpenForDeletion(const std::wstring& path) {
  return UniqueKernelHandle(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                        nullptr));
}

bool SetAttributes(HANDLE handle, DWORD attributes) {
  FILE_BASIC_INFO basic = {};  // zero times: left as they are
  basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
  return SetFileInformationByHandle(handle, FileBasicInfo, &basic, sizeof(basic));
}

bool MarkForDeletion(HANDLE handle) {
  FILE_DISPOSITION_INFO disposition = {TRUE};
  return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof(disposition));
}

}  // namespace

DeleteOutcome DeleteFileSafely(const std::wstring& path, DWORD attributes) {
  const UniqueKernelHandle file = OpenForDeletion(path);
  if (!file) return FromError(GetLastError());
  if (!SamePath(FinalPathOf(file.Get()), path)) return DeleteOutcome::Link;

  const bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
  if (readOnly && !SetAttributes(file.Get(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
    return FromError(GetLastError());
  }
  if (MarkForDeletion(file.Get())) return DeleteOutcome::Deleted;
  const DWORD error = GetLastError();
  if (readOnly) SetAttributes(file.Get(), attributes);
  return FromError(error);
}

DeleteOutcome RemoveEmptyFolderSafely(const std::wstring& path) {
  const UniqueKernelHandle folder = OpenForDeletion(path);
  if (!folder) return FromError(GetLastError());
  FILE_ATTRIBUTE_TAG_INFO tag = {};
  if (!GetFileInformationByHandleEx(folder.Get(), FileAttributeTagInfo, &tag, sizeof(tag))) {
    return FromError(GetLastError());
  }
  if ((tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !SamePath(FinalPathOf(folder.Get()), path)) {
    return DeleteOutcome::Link;
  }
  return MarkForDeletion(folder.Get()) ? DeleteOutcome::Deleted : FromError(GetLastError());
}

}  // namespace klarvik::sweepkin
