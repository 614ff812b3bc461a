#include "app/companions.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <string_view>
#include <utility>

#include "win/handles.h"
#include "win/text.h"

namespace klarvik {
namespace {

// The longest path the kernel hands out; a buffer never needs to grow past it.
constexpr DWORD kLongestPath = 32768;
// How long TerminateProcessByName waits, in all, for the processes it ended.
constexpr ULONGLONG kExitWaitMs = 3000;

template <class Function>
Function Lookup(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

// The process-list functions, looked up once: absent ones leave the list empty.
struct ProcessServices {
  using EnumProcessesFunction = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
  using EnumProcessModulesFunction = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
  using GetModuleFileNameExFunction = DWORD(WINAPI*)(HANDLE, HMODULE, wchar_t*, DWORD);
  using SnapshotFunction = HANDLE(WINAPI*)(DWORD, DWORD);
  using ProcessWalkFunction = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32W*);

  UniqueModule psapi{LoadLibraryW(L"psapi.dll")};
  EnumProcessesFunction enumProcesses = Lookup<EnumProcessesFunction>(psapi.Get(), "EnumProcesses");
  EnumProcessModulesFunction enumProcessModules =
      Lookup<EnumProcessModulesFunction>(psapi.Get(), "EnumProcessModules");
  GetModuleFileNameExFunction getModuleFileNameEx =
      Lookup<GetModuleFileNameExFunction>(psapi.Get(), "GetModuleFileNameExW");

  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  SnapshotFunction createSnapshot = Lookup<SnapshotFunction>(kernel, "CreateToolhelp32Snapshot");
  ProcessWalkFunction firstProcess = Lookup<ProcessWalkFunction>(kernel, "Process32FirstW");
  ProcessWalkFunction nextProcess = Lookup<ProcessWalkFunction>(kernel, "Process32NextW");
};

const ProcessServices& Services() {
  static const ProcessServices services;
  return services;
}

// `text` is `path` in any letter case followed by exactly `tail`.
bool PathThenTail(std::wstring_view text, std::wstring_view path, std::wstring_view tail) {
  return text.size() == path.size() + tail.size() && SameText(text.substr(0, path.size()), path) &&
         text.substr(path.size()) == tail;
}

std::wstring_view FileNamePart(std::wstring_view path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring_view::npos ? path : path.substr(separator + 1);
}

bool SameSessionAsCaller(DWORD processId) {
  DWORD mine = 0;
  DWORD theirs = 0;
  return ProcessIdToSessionId(GetCurrentProcessId(), &mine) && ProcessIdToSessionId(processId, &theirs) &&
         mine == theirs;
}

// Processes of this session with that executable name, other than the caller; each
// opened to be ended and waited for.
std::vector<UniqueKernelHandle> OpenProcessesNamed(const std::wstring& fileName) {
  std::vector<UniqueKernelHandle> processes;
  const ProcessServices& services = Services();
  if (!services.createSnapshot || !services.firstProcess || !services.nextProcess) return processes;
  const UniqueKernelHandle snapshot(services.createSnapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return processes;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = services.firstProcess(snapshot.Get(), &entry); more;
       more = services.nextProcess(snapshot.Get(), &entry)) {
    const std::wstring_view name = entry.szExeFile;
    if (!SameText(FileNamePart(name), fileName) && !SameText(name, fileName)) continue;
    if (entry.th32ProcessID == GetCurrentProcessId() || !SameSessionAsCaller(entry.th32ProcessID)) continue;
    UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (process) processes.push_back(std::move(process));
  }
  return processes;
}

}  // namespace

std::wstring CompanionCommand(const std::wstring& programFolder, const std::wstring& program,
                              const std::wstring& argument) {
  std::wstring command = L"\"" + programFolder + program + L"\"";
  if (!argument.empty()) command += L" " + argument;
  return command;
}

bool CommandNames(const std::wstring& value, const std::wstring& programFolder, const std::wstring& program,
                  const std::wstring& argument) {
  const std::wstring path = programFolder + program;
  const std::wstring tail = argument.empty() ? std::wstring() : L" " + argument;
  const std::wstring_view text = value;
  if (text.starts_with(L'"')) return PathThenTail(text.substr(1), path, L"\"" + tail);
  return PathThenTail(text, path, tail);
}

void StartCompanion(const std::wstring& programFolder, const std::wstring& program, const std::wstring& argument) {
  const std::wstring file = programFolder + program;
  ShellExecuteW(GetDesktopWindow(), L"open", file.c_str(), argument.empty() ? nullptr : argument.c_str(), nullptr,
                SW_SHOWNORMAL);
}

std::vector<DWORD> RunningProcessIds(std::size_t firstGuess) {
  const auto enumProcesses = Services().enumProcesses;
  if (!enumProcesses) return {};
  std::vector<DWORD> ids(firstGuess > 0 ? firstGuess : 1);
  for (;;) {
    const DWORD bytes = static_cast<DWORD>(ids.size() * sizeof(DWORD));
    DWORD returned = 0;
    if (!enumProcesses(ids.data(), bytes, &returned)) return {};
    // A full buffer may have cut the list short; only a partly filled one is sure to hold it all.
    if (returned < bytes) {
      ids.resize(returned / sizeof(DWORD));
      return ids;
    }
    ids.resize(ids.size() * 2);
  }
}

std::wstring QueriedImagePath(DWORD processId) {
  const UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return {};
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = static_cast<DWORD>(path.size());
    if (QueryFullProcessImageNameW(process.Get(), 0, path.data(), &length)) {
      path.resize(length);
      return path;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= kLongestPath) return {};
    path.resize(path.size() * 2);
  }
}

std::wstring FirstModulePath(DWORD processId) {
  const ProcessServices& services = Services();
  if (!services.enumProcessModules || !services.getModuleFileNameEx) return {};
  const UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) return {};
  HMODULE first = nullptr;
  DWORD needed = 0;
  if (!services.enumProcessModules(process.Get(), &first, sizeof(first), &needed) || !first) return {};
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = services.getModuleFileNameEx(process.Get(), first, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A length that fills the buffer means the path was cut.
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= kLongestPath) return {};
    path.resize(path.size() * 2);
  }
}

namespace {

bool HasImagePath(DWORD processId, const std::wstring& path) {
  std::wstring image = QueriedImagePath(processId);
  if (image.empty()) image = FirstModulePath(processId);
  return !image.empty() && SameText(image, path);
}

// A process that has ended can still be opened while anyone holds a handle to it.
bool StillRuns(DWORD processId) {
  const UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  return process && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

// The process found last time. A cleaning run asks about the same cleaner every 250 ms;
// checking it first spares listing every process (about a millisecond under Wine).
DWORD g_lastFound = 0;

}  // namespace

bool IsProcessRunning(const std::wstring& path) {
  if (g_lastFound != 0 && StillRuns(g_lastFound) && HasImagePath(g_lastFound, path)) return true;
  g_lastFound = 0;
  for (const DWORD id : RunningProcessIds()) {
    if (HasImagePath(id, path)) {
      g_lastFound = id;
      return true;
    }
  }
  return false;
}

void TerminateProcessByName(const std::wstring& fileName) {
  const std::vector<UniqueKernelHandle> processes = OpenProcessesNamed(fileName);
  for (const UniqueKernelHandle& process : processes) TerminateProcess(process.Get(), 0);
  // One deadline for all, so many stuck processes cannot stretch the wait.
  const ULONGLONG deadline = GetTickCount64() + kExitWaitMs;
  for (const UniqueKernelHandle& process : processes) {
    const ULONGLONG now = GetTickCount64();
    WaitForSingleObject(process.Get(), now < deadline ? static_cast<DWORD>(deadline - now) : 0);
  }
}

}  // namespace klarvik
