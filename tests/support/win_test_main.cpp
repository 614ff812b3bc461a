// Test entry for the Windows test programs: redirects HKCU, TMP/TEMP and the
// application-data folder to scratch places before any test runs, and removes them after.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/scratch_env.h"
#include "win/handles.h"
#include "win/long_path.h"

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

namespace {

// Wine's exports that map names between Windows and the Unix side; absent on Windows.
struct WineNames {
  char*(CDECL* toUnix)(const wchar_t*) = nullptr;
  wchar_t*(CDECL* toDos)(const char*) = nullptr;
};

const WineNames& Wine() {
  static const WineNames names = [] {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    WineNames found;
    found.toUnix = reinterpret_cast<decltype(found.toUnix)>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "wine_get_unix_file_name")));
    found.toDos = reinterpret_cast<decltype(found.toDos)>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "wine_get_dos_file_name")));
    return found;
  }();
  return names;
}

// A path as the Unix side names it; empty outside Wine.
std::wstring UnixName(const std::wstring& path) {
  if (!Wine().toUnix) return {};
  char* name = Wine().toUnix(path.c_str());
  std::wstring wide;
  if (name) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, name, -1, nullptr, 0);
    wide.assign(length > 0 ? length - 1 : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name, -1, wide.data(), length);
  }
  HeapFree(GetProcessHeap(), 0, name);
  return wide;
}

// Starts a Unix tool (/bin/NAME) through Wine, which gives no handle to wait on, so
// the caller waits until `done` holds, ten seconds at most.
template <class Done>
bool RunUnixTool(const char* tool, std::wstring commandLine, const Done& done) {
  if (!Wine().toDos) return false;
  wchar_t* program = Wine().toDos((std::string("/bin/") + tool).c_str());
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  const bool started = program && CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                                 nullptr, &startup, &process);
  HeapFree(GetProcessHeap(), 0, program);
  const UniqueKernelHandle processHandle(process.hProcess);
  const UniqueKernelHandle threadHandle(process.hThread);
  for (int waited = 0; started && waited < 10000 && !done(); waited += 10) Sleep(10);
  return done();
}

bool PathExists(const std::wstring& path) {
  return GetFileAttributesW(ExtendedLengthPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveLink(const std::wstring& link, bool isFolder) {
  if (Wine().toUnix && Wine().toDos) {
    RemoveUnixLink(link);
  } else if (isFolder) {
    RemoveDirectoryW(link.c_str());
  } else {
    DeleteFileW(link.c_str());
  }
}

}  // namespace

// Wine shows a Unix symbolic link to a folder as a reparse point, but deleting it
// through Win32 deletes the folder it points to. Only the Unix side can remove the
// link itself. (A Unix link to a file Wine shows as a plain file, which no listing
// can tell apart.)
void RemoveUnixLink(const std::wstring& link) {
  const std::wstring unixLink = UnixName(link);
  if (unixLink.empty()) return;
  RunUnixTool("rm", L"rm -f -- \"" + unixLink + L"\"", [&] { return !PathExists(link); });
}

void RemoveTree(const std::wstring& path) {
  std::wstring root = ExtendedLengthPath(path);
  if (root.empty()) return;
  if (root.back() != L'\\') root += L'\\';

  // First pass, without recursion so that depth cannot exhaust the stack: links are
  // removed at once, never followed, so no link is left pointing at a folder removed
  // later (Wine stops listing such a link, and its parent could not be removed).
  // Everything else is noted in the order found, each folder before its contents.
  std::vector<std::wstring> found;
  std::vector<std::wstring> pending{root};
  while (!pending.empty()) {
    const std::wstring folder = std::move(pending.back());
    pending.pop_back();
    found.push_back(folder);
    WIN32_FIND_DATAW entry;
    const UniqueFindHandle find(FindFirstFileW((folder + L"*").c_str(), &entry));
    if (!find) continue;
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const bool isFolder = entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        RemoveLink(folder + name, isFolder);
      } else if (isFolder) {
        pending.push_back(folder + name + L'\\');
      } else {
        found.push_back(folder + name);
      }
    } while (FindNextFileW(find.Get(), &entry));
  }

  // Second pass, backwards: contents before the folder that holds them. Read-only
  // entries would refuse to go.
  for (auto item = found.rbegin(); item != found.rend(); ++item) {
    SetFileAttributesW(item->c_str(), FILE_ATTRIBUTE_NORMAL);
    if (item->back() == L'\\') {
      RemoveDirectoryW(item->c_str());
    } else {
      DeleteFileW(item->c_str());
    }
  }
}

bool MakeUnixLink(const std::wstring& link, const std::wstring& target) {
  const std::wstring unixLink = UnixName(link);
  const std::wstring unixTarget = UnixName(target);
  if (unixLink.empty() || unixTarget.empty()) return false;
  return RunUnixTool("ln", L"ln -s -- \"" + unixTarget + L"\" \"" + unixLink + L"\"", [&] { return PathExists(link); });
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
