#pragma once
// The HTML Help engine (hhctrl.ocx): found when the program starts, released when it
// ends. Loaded only by full path, so that a library of that name planted in the program's
// folder or the current directory never runs in the program.
#include <windows.h>

#include <functional>
#include <string>

#include "win/handles.h"

namespace klarvik {

// What finding the engine looks at.
struct HtmlHelpPlaces {
  std::wstring systemFolder;    // without a trailing backslash
  std::wstring windowsFolder;   // without a trailing backslash
  std::wstring registeredPath;  // default value of the engine's InprocServer32 key; may be empty
  std::function<bool(const std::wstring&)> fileExists;
};

// The system folder's copy of hhctrl.ocx, else the registered path (a leading
// "%SYSTEMROOT%", in any letter case, becomes the Windows folder); empty when neither
// names an existing file.
std::wstring HtmlHelpLibraryPath(const HtmlHelpPlaces& places);

// The places of this system.
HtmlHelpPlaces SystemHtmlHelpPlaces();

class HtmlHelpEngine {
 public:
  // Finds and loads the engine; without one, Available() is false.
  explicit HtmlHelpEngine(const HtmlHelpPlaces& places = SystemHtmlHelpPlaces());
  HtmlHelpEngine(const HtmlHelpEngine&) = delete;
  HtmlHelpEngine& operator=(const HtmlHelpEngine&) = delete;

  bool Available() const { return htmlHelpW_ || htmlHelpA_; }
  const std::wstring& LibraryPath() const { return path_; }
  // Shows the help file's default topic; the window is not modal.
  void DisplayTopic(HWND owner, const std::wstring& helpFile) const;
  // Closes every help window the engine shows for this program.
  void CloseAll() const;

 private:
  using HtmlHelpAFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
  using HtmlHelpWFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

  std::wstring path_;
  UniqueModule library_;
  HtmlHelpAFunction htmlHelpA_ = nullptr;
  HtmlHelpWFunction htmlHelpW_ = nullptr;
};

// The program's engine while an HtmlHelpSession lives, else null.
const HtmlHelpEngine* ProgramHtmlHelp();

// Finds the engine and makes it the program's for the session's life; the entry point
// keeps one for the whole run, so the library is released only as the program ends.
class HtmlHelpSession {
 public:
  explicit HtmlHelpSession(const HtmlHelpPlaces& places = SystemHtmlHelpPlaces());
  ~HtmlHelpSession();
  HtmlHelpSession(const HtmlHelpSession&) = delete;
  HtmlHelpSession& operator=(const HtmlHelpSession&) = delete;
  const HtmlHelpEngine& Engine() const { return engine_; }

 private:
  HtmlHelpEngine engine_;
  const HtmlHelpEngine* previous_;
};

}  // namespace klarvik
