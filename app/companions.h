#pragma once
// The companion programs beside Klarvik.exe (the cleaner and the scheduler): the
// command texts that name them, starting them, and finding or ending their processes.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace klarvik {

// `"<folder><program>" <argument>`: the path quoted so that a folder with spaces stays
// one name, then one space and the argument; just the quoted path when there is no argument.
std::wstring CompanionCommand(const std::wstring& programFolder, const std::wstring& program,
                              const std::wstring& argument);

// True when a stored command text names that program with that argument: the quoted
// form above or the older unquoted `<folder><program> <argument>`. The path matches in
// any letter case, the argument only exactly.
bool CommandNames(const std::wstring& value, const std::wstring& programFolder, const std::wstring& program,
                  const std::wstring& argument);

// Opens `<folder><program>` with the argument through the shell, owned by the desktop
// window, shown normally. A failed start is not reported.
void StartCompanion(const std::wstring& programFolder, const std::wstring& program, const std::wstring& argument);

// True when a process runs whose executable's full path is `path`, in any letter case.
bool IsProcessRunning(const std::wstring& path);

// Ends every process of this session whose executable has that file name (or that whole
// name), in any letter case, wherever it was started from, and waits a few seconds at
// most for them to be gone. The calling process is never ended.
void TerminateProcessByName(const std::wstring& fileName);

// The ids of all processes; the list grows past `firstGuess` until every id fits.
// Empty when the system cannot list processes.
std::vector<DWORD> RunningProcessIds(std::size_t firstGuess = 1024);

// The two ways to read a process's executable path, in the order IsProcessRunning tries
// them; each is empty when the process cannot be opened or read that way.
// The kernel's own record, readable with the least rights:
std::wstring QueriedImagePath(DWORD processId);
// The path of the first loaded module, read from the process's memory:
std::wstring FirstModulePath(DWORD processId);

}  // namespace klarvik
