#pragma once
// The folders every part of the front end uses, worked out once at start.
#include <string>

namespace klarvik {

// Folder of the running executable, ending in exactly one backslash.
extern std::wstring ProgramFolder;
// Per-user settings folder ("<application data>\Bramwick\Klarvik\"), ending in a
// backslash; empty when the shell cannot name the application-data folder, in
// which case nothing is stored.
extern std::wstring SettingsFolder;
// ProgramFolder + "help.chm".
extern std::wstring HelpFilePath;

// The path of a shell special folder (CSIDL number), without creating it; empty when
// the shell cannot give it.
std::wstring GetSpecialFolder(int folder);

// Sets the three texts from the executable's path and the application-data folder,
// creating "Bramwick" and "Bramwick\Klarvik" inside it when they are missing.
void SetProgramFolders(const std::wstring& executablePath, const std::wstring& appDataFolder);

// The same from the running executable and the user's roaming application-data folder.
void InitProgramFolders();

}  // namespace klarvik
