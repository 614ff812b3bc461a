#include "app/html_help.h"

#include "win/registry.h"
#include "win/text.h"

namespace klarvik {

namespace {

constexpr wchar_t kLibraryName[] = L"hhctrl.ocx";
constexpr wchar_t kRegisteredKey[] = L"CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";
constexpr wchar_t kSystemRoot[] = L"%SYSTEMROOT%";
constexpr UINT kDisplayTopic = 0x0000;
constexpr UINT kCloseAll = 0x0012;

HtmlHelpEngine* programEngine = nullptr;

std::wstring FolderFrom(UINT (WINAPI* query)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH]{};
  const UINT length = query(buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

std::string AnsiText(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
  if (size > 0) WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), size, nullptr, nullptr);
  ansi.resize(ansi.size() - 1);
  return ansi;
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring HtmlHelpLibraryPath(const HtmlHelpPlaces& places) {
  if (!places.systemFolder.empty()) {
    const std::wstring inSystem = places.systemFolder + L"\\" + kLibraryName;
    if (places.fileExists(inSystem)) return inSystem;
  }
  std::wstring registered = places.registeredPath;
  const std::size_t prefix = std::char_traits<wchar_t>::length(kSystemRoot);
  if (registered.size() > prefix && SameText(registered.substr(0, prefix), kSystemRoot))
    registered = places.windowsFolder + registered.substr(prefix);
  // Only a full path: a bare name would be looked for in the program's folder first.
  const bool fullPath = registered.size() > 2 && (registered[1] == L':' || registered.starts_with(L"\\\\"));
  return fullPath && places.fileExists(registered) ? registered : std::wstring();
}

HtmlHelpPlaces SystemHtmlHelpPlaces() {
  HtmlHelpPlaces places;
  places.systemFolder = FolderFrom(GetSystemDirectoryW);
  places.windowsFolder = FolderFrom(GetWindowsDirectoryW);
  TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  if (registry.OpenKey(kRegisteredKey, false)) places.registeredPath = registry.ReadString(L"");
  places.fileExists = FileExists;
  return places;
}

HtmlHelpEngine::HtmlHelpEngine(const HtmlHelpPlaces& places) : path_(HtmlHelpLibraryPath(places)) {}

bool HtmlHelpEngine::Available() {
  if (!loadTried_ && !path_.empty()) {
    loadTried_ = true;
    library_.Reset(LoadLibraryExW(path_.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (library_) {
      htmlHelpA_ = reinterpret_cast<HtmlHelpAFunction>(reinterpret_cast<void*>(GetProcAddress(library_.Get(), "HtmlHelpA")));
      htmlHelpW_ = reinterpret_cast<HtmlHelpWFunction>(reinterpret_cast<void*>(GetProcAddress(library_.Get(), "HtmlHelpW")));
    }
  }
  return htmlHelpW_ || htmlHelpA_;
}

// The wide entry point where there is one: a program folder whose name the ANSI code page
// cannot spell must still find its help file.
void HtmlHelpEngine::DisplayTopic(HWND owner, const std::wstring& helpFile) {
  if (!Available()) return;
  if (htmlHelpW_) {
    htmlHelpW_(owner, helpFile.c_str(), kDisplayTopic, 0);
  } else if (htmlHelpA_) {
    htmlHelpA_(owner, AnsiText(helpFile).c_str(), kDisplayTopic, 0);
  }
}

void HtmlHelpEngine::CloseAll() const {
  if (htmlHelpW_) {
    htmlHelpW_(nullptr, nullptr, kCloseAll, 0);
  } else if (htmlHelpA_) {
    htmlHelpA_(nullptr, nullptr, kCloseAll, 0);
  } else {
    return;
  }
  Sleep(0);
}

HtmlHelpEngine* ProgramHtmlHelp() { return programEngine; }

HtmlHelpSession::HtmlHelpSession(const HtmlHelpPlaces& places) : engine_(places), previous_(programEngine) {
  programEngine = &engine_;
}

HtmlHelpSession::~HtmlHelpSession() { programEngine = previous_; }

}  // namespace klarvik
