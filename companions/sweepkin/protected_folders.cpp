#include "companions/sweepkin/protected_folders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <string>

#include "win/module_path.h"

namespace klarvik::sweepkin {
namespace {

std::wstring ShellFolder(int folder) {
  wchar_t path[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : L"";
}

// Where the shell keeps a known folder now, moved or not, whether it exists or not.
std::wstring KnownFolder(const KNOWNFOLDERID& id) {
  wchar_t* path = nullptr;
  std::wstring found;
  if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path)) && path) found = path;
  CoTaskMemFree(path);
  return found;
}

std::wstring EnvironmentFolder(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(name, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? path : L"";
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

struct UserDataFolder {
  const char* name;
  const KNOWNFOLDERID* id;
};

// The folders where the shell keeps what the user made or chose to keep. Application
// data is among them: its own temp folder ("...\Local\Temp") is the usual TEMP.
const UserDataFolder kUserDataFolders[] = {
    {"Desktop folder", &FOLDERID_Desktop},
    {"Documents folder", &FOLDERID_Documents},
    {"Downloads folder", &FOLDERID_Downloads},
    {"Pictures folder", &FOLDERID_Pictures},
    {"Music folder", &FOLDERID_Music},
    {"Videos folder", &FOLDERID_Videos},
    {"Favorites folder", &FOLDERID_Favorites},
    {"Contacts folder", &FOLDERID_Contacts},
    {"Links folder", &FOLDERID_Links},
    {"Saved Games folder", &FOLDERID_SavedGames},
    {"Searches folder", &FOLDERID_SavedSearches},
    {"3D Objects folder", &FOLDERID_Objects3D},
    {"OneDrive folder", &FOLDERID_SkyDrive},
    {"Camera Roll folder", &FOLDERID_CameraRoll},
    {"Screenshots folder", &FOLDERID_Screenshots},
    {"Roaming application data folder", &FOLDERID_RoamingAppData},
    {"Local application data folder", &FOLDERID_LocalAppData},
    {"LocalLow application data folder", &FOLDERID_LocalAppDataLow},
    {"Public folder", &FOLDERID_Public},
    {"Public Desktop folder", &FOLDERID_PublicDesktop},
    {"Public Documents folder", &FOLDERID_PublicDocuments},
    {"Public Downloads folder", &FOLDERID_PublicDownloads},
    {"Public Pictures folder", &FOLDERID_PublicPictures},
    {"Public Music folder", &FOLDERID_PublicMusic},
    {"Public Videos folder", &FOLDERID_PublicVideos},
};

// OneDrive names its folders (personal and work) in the environment too.
const wchar_t* const kOneDriveVariables[] = {L"OneDrive", L"OneDriveConsumer", L"OneDriveCommercial"};

}  // namespace

std::vector<ProtectedFolder> ProtectedFolders() {
  std::vector<ProtectedFolder> folders = {
      {"Windows folder", WindowsFolder()},
      {"user profile", ShellFolder(CSIDL_PROFILE)},
      {"Program Files folder", ShellFolder(CSIDL_PROGRAM_FILES)},
      {"Program Files (x86) folder", ShellFolder(CSIDL_PROGRAM_FILESX86)},
      {"cleaner's own folder", OwnFolder()},
  };
  for (const UserDataFolder& folder : kUserDataFolders) {
    folders.push_back({folder.name, KnownFolder(*folder.id), Guard::UserData});
  }
  for (const wchar_t* variable : kOneDriveVariables) {
    folders.push_back({"OneDrive folder", EnvironmentFolder(variable), Guard::UserData});
  }
  return folders;
}

}  // namespace klarvik::sweepkin
