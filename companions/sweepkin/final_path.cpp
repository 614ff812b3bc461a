#include "companions/sweepkin/final_path.h"

#include <winternl.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "win/handles.h"
#include "win/long_path.h"
#include "win/text.h"

namespace klarvik::sweepkin {
namespace {

// Under Wine a file object's name is the DOS path behind "\??\", links resolved, and
// one call asks for it; GetFinalPathNameByHandleW costs several more round trips to
// Wine's server per file (and fails on names longer than MAX_PATH). Windows names a
// file object by its device instead: there this answers empty and the regular call is
// made.
std::wstring DosObjectPath(HANDLE handle) {
  alignas(OBJECT_NAME_INFORMATION) std::uint8_t small[sizeof(OBJECT_NAME_INFORMATION) + 1024 * sizeof(wchar_t)];
  std::vector<std::uint8_t> large;
  std::uint8_t* buffer = small;
  ULONG size = sizeof(small);
  ULONG returned = 0;
  NTSTATUS status = NtQueryObject(handle, ObjectNameInformation, buffer, size, &returned);
  if (!NT_SUCCESS(status) && returned > size) {
    large.resize(returned);
    buffer = large.data();
    size = returned;
    status = NtQueryObject(handle, ObjectNameInformation, buffer, size, &returned);
  }
  if (!NT_SUCCESS(status)) return {};
  const auto* name = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(buffer);
  const std::wstring_view text(name->Name.Buffer, name->Name.Length / sizeof(wchar_t));
  return text.starts_with(LR"(\??\)") ? LR"(\\?\)" + std::wstring(text.substr(4)) : std::wstring();
}

std::wstring WithoutTrailingBackslash(std::wstring path) {
  if (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

}  // namespace

std::wstring FinalPathOf(HANDLE handle) {
  std::wstring path = DosObjectPath(handle);
  if (!path.empty()) return path;
  path.resize(MAX_PATH);
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length + 1);
  }
}

std::wstring FinalPathOf(const std::wstring& path) {
  const std::wstring extended = ExtendedLengthPath(path);
  if (extended.empty()) return {};
  // No access rights asked: only the name is wanted, and that works even on folders
  // whose contents the caller may not read.
  const UniqueKernelHandle handle(CreateFileW(extended.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return handle ? FinalPathOf(handle.Get()) : std::wstring();
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  const std::wstring left = WithoutTrailingBackslash(a);
  const std::wstring right = WithoutTrailingBackslash(b);
  return SameText(left, right);
}

bool IsSameOrAncestor(const std::wstring& folder, const std::wstring& path) {
  const std::wstring outer = WithoutTrailingBackslash(folder);
  const std::wstring inner = WithoutTrailingBackslash(path);
  if (outer.empty() || inner.size() < outer.size()) return false;
  if (inner.size() > outer.size() && inner[outer.size()] != L'\\') return false;
  return SameText(outer, std::wstring_view(inner).substr(0, outer.size()));
}

}  // namespace klarvik::sweepkin
