#include "companions/sweepkin/final_path.h"

#include <winternl.h>

#include <cstdint>
#include <vector>

#include "runtime/handles.h"
#include "runtime/long_path.h"

namespace klarvik::sweepkin {
namespace {

// Wine's GetFinalPathNameByHandleW fails with ERROR_MORE_DATA on any name longer than
// MAX_PATH. Its object names are the DOS path behind "\??\", so the name is asked
// for directly there and given the \\?\ form. (Windows names a file's object by its
// device, but there the regular call answers.)
std::wstring WineObjectPath(HANDLE handle) {
  std::vector<std::uint8_t> buffer(sizeof(OBJECT_NAME_INFORMATION) + 32768 * sizeof(wchar_t));
  ULONG returned = 0;
  if (!NT_SUCCESS(NtQueryObject(handle, ObjectNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                &returned))) {
    return {};
  }
  const auto* name = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(buffer.data());
  const std::wstring text(name->Name.Buffer, name->Name.Length / sizeof(wchar_t));
  return text.starts_with(LR"(\??\)") ? LR"(\\?\)" + text.substr(4) : std::wstring();
}

std::wstring WithoutTrailingBackslash(std::wstring path) {
  if (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

bool EqualIgnoringCase(const wchar_t* a, std::size_t aLength, const wchar_t* b, std::size_t bLength) {
  return CompareStringOrdinal(a, static_cast<int>(aLength), b, static_cast<int>(bLength), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::wstring FinalPathOf(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 && GetLastError() == ERROR_MORE_DATA) return WineObjectPath(handle);
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
  return EqualIgnoringCase(left.data(), left.size(), right.data(), right.size());
}

bool IsSameOrAncestor(const std::wstring& folder, const std::wstring& path) {
  const std::wstring outer = WithoutTrailingBackslash(folder);
  const std::wstring inner = WithoutTrailingBackslash(path);
  if (outer.empty() || inner.size() < outer.size()) return false;
  if (inner.size() > outer.size() && inner[outer.size()] != L'\\') return false;
  return EqualIgnoringCase(outer.data(), outer.size(), inner.data(), outer.size());
}

}  // namespace klarvik::sweepkin
