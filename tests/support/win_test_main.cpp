// Test entry for the Windows test programs: redirects HKCU, TMP/TEMP and the
// application-data folder to scratch places before any test runs, and removes them after.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "tests/support/scratch_env.h"

namespace klarvik::test {
namespace {

std::wstring g_root;
HKEY g_scratchKey = nullptr;
std::wstring g_scratchKeyPath;

std::wstring WithSlash(std::wstring path) {
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path;
}

void RedirectFolders() {
  wchar_t realTemp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, realTemp);
  g_root = WithSlash(realTemp) + L"klarvik-test-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(g_root.c_str(), nullptr);
  const std::wstring temp = FreshScratchFolder(L"temp");
  const std::wstring appData = FreshScratchFolder(L"appdata");
  SetEnvironmentVariableW(L"TMP", temp.c_str());
  SetEnvironmentVariableW(L"TEMP", temp.c_str());
  SetEnvironmentVariableW(L"APPDATA", appData.substr(0, appData.size() - 1).c_str());
}

// All HKCU access of this process, the shell's included, lands in a scratch key.
void RedirectCurrentUser(const std::wstring& appData) {
  g_scratchKeyPath = L"Software\\Klarvik Test Scratch\\" + std::to_wstring(GetCurrentProcessId());
  RegCreateKeyExW(HKEY_CURRENT_USER, g_scratchKeyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &g_scratchKey, nullptr);
  RegOverridePredefKey(HKEY_CURRENT_USER, g_scratchKey);
  HKEY folders = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER,
                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", 0,
                      nullptr, 0, KEY_ALL_ACCESS, nullptr, &folders, nullptr) == ERROR_SUCCESS) {
    const std::wstring value = appData.substr(0, appData.size() - 1);
    RegSetValueExW(folders, L"AppData", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(folders);
  }
}

void RestoreAndClean() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(g_scratchKey);
  RegDeleteTreeW(HKEY_CURRENT_USER, g_scratchKeyPath.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Klarvik Test Scratch");
  RemoveTree(g_root);
}

}  // namespace

const std::wstring& ScratchRoot() { return g_root; }

std::wstring FreshScratchFolder(const std::wstring& name) {
  const std::wstring path = g_root + name + L"\\";
  RemoveTree(path);
  CreateDirectoryW(path.c_str(), nullptr);
  return path;
}

void RemoveTree(const std::wstring& path) {
  const std::wstring dir = WithSlash(path);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((dir + L"*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring full = dir + name;
      SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      const bool isDir = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
      const bool isLink = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
      if (isDir && !isLink) {
        RemoveTree(full);
      } else if (isDir) {
        RemoveDirectoryW(full.c_str());
      } else {
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}

}  // namespace klarvik::test

int main(int argc, char** argv) {
  // Wine hands the output to a pipe; text mode would add carriage returns to test names.
  _setmode(_fileno(stdout), _O_BINARY);
  testing::InitGoogleTest(&argc, argv);
  klarvik::test::RedirectFolders();
  klarvik::test::RedirectCurrentUser(klarvik::test::ScratchRoot() + L"appdata\\");
  const int result = RUN_ALL_TESTS();
  klarvik::test::RestoreAndClean();
  return result;
}
