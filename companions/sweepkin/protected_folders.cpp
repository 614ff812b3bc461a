#include "companions/sweepkin/protected_folders.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "runtime/module_path.h"

namespace klarvik::sweepkin {
namespace {

std::wstring ShellFolder(int folder) {
  wchar_t path[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : L"";
}

std::wstring WindowsFolder() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryW(path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? path : L"";
}

std::wstring OwnFolder() {
  const std::wstring path = RunningExecutablePath();
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

std::vector<ProtectedFolder> ProtectedFolders() {
  return {
      {"Windows folder", WindowsFolder()},
      {"user profile", ShellFolder(CSIDL_PROFILE)},
      {"Program Files folder", ShellFolder(CSIDL_PROGRAM_FILES)},
      {"Program Files (x86) folder", ShellFolder(CSIDL_PROGRAM_FILESX86)},
      {"cleaner's own folder", OwnFolder()},
  };
}

}  // namespace klarvik::sweepkin
