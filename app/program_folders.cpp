#include "app/program_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "companions/common/program_paths.h"
#include "win/module_path.h"

namespace klarvik {

std::wstring ProgramFolder;
std::wstring SettingsFolder;
std::wstring HelpFilePath;

namespace {

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring GetSpecialFolder(int folder) {
  wchar_t buffer[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, buffer, folder, FALSE)) return {};
  return buffer;
}

void SetProgramFolders(const std::wstring& executablePath, const std::wstring& appDataFolder) {
  ProgramFolder = WithTrailingBackslash(FolderOf(executablePath));
  HelpFilePath = ProgramFolder + L"help.chm";
  // Without an application-data folder a lone "\" would point at the drive's root.
  SettingsFolder = appDataFolder.empty() ? std::wstring() : WithTrailingBackslash(appDataFolder);
  if (SettingsFolder.empty() || !FolderExists(SettingsFolder)) return;
  const std::wstring maker = SettingsFolder + L"Bramwick";
  if (!FolderExists(maker)) CreateDirectoryW(maker.c_str(), nullptr);
  const std::wstring product = maker + L"\\Klarvik";
  if (!FolderExists(product)) CreateDirectoryW(product.c_str(), nullptr);
  SettingsFolder = product + L"\\";
}

void InitProgramFolders() { SetProgramFolders(RunningExecutablePath(), GetSpecialFolder(CSIDL_APPDATA)); }

}  // namespace klarvik
