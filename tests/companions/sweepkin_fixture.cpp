#include "tests/companions/sweepkin_fixture.h"

#include "companions/sweepkin/file_times.h"
#include "win/handles.h"

namespace klarvik::test {
namespace {

std::wstring Extended(const std::wstring& path) { return LR"(\\?\)" + path; }

}  // namespace

bool Exists(const std::wstring& path) { return GetFileAttributesW(Extended(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

namespace {

bool MakeFolder(const std::wstring& path) {
  return CreateDirectoryW(Extended(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool MakeFile(const std::wstring& path) {
  if (Exists(path)) return true;  // put there by the test, to be aged here
  const UniqueKernelHandle file(
      CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.Get(), "0123456789", 10, &written, nullptr);
}

bool SetAge(const std::wstring& path, int hours) {
  const UniqueKernelHandle handle(CreateFileW(Extended(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  const FILETIME time = sweepkin::ToFileTime(sweepkin::CurrentTicks() - hours * sweepkin::kTicksPerHour);
  return handle && SetFileTime(handle.Get(), &time, nullptr, &time);
}

}  // namespace

bool MakeAgedTree(const std::wstring& root, const std::vector<AgedEntry>& entries) {
  for (const AgedEntry& entry : entries) {
    for (std::size_t slash = entry.path.find(L'\\'); slash != std::wstring::npos;
         slash = entry.path.find(L'\\', slash + 1)) {
      if (!MakeFolder(root + entry.path.substr(0, slash))) return false;
    }
    if (!entry.path.ends_with(L'\\') && !MakeFile(root + entry.path)) return false;
  }
  for (const bool folders : {false, true}) {
    for (const AgedEntry& entry : entries) {
      if (entry.path.ends_with(L'\\') != folders) continue;
      const std::wstring full = root + entry.path;
      if (!SetAge(full, entry.ageHours)) return false;
      if (entry.attributes && !SetFileAttributesW(Extended(full).c_str(), entry.attributes)) return false;
    }
  }
  return true;
}

}  // namespace klarvik::test
