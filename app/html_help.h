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

// Found when made; loaded when first needed, since loading it takes longer than the
// program's whole start (under Wine it brings an HTML engine with it).
class HtmlHelpEngine {
 public:
  explicit HtmlHelpEngine(const HtmlHelpPlaces& places = SystemHtmlHelpPlaces());
  HtmlHelpEngine(const HtmlHelpEngine&) = delete;
  HtmlHelpEngine& operator=(const HtmlHelpEngine&) = delete;

  // Loads the engine if it is not loaded yet; false when there is none.
  bool Available();
  const std::wstring& LibraryPath() const { return path_; }
  // Shows the help file's default topic; the window is not modal.
  void DisplayTopic(HWND owner, const std::wstring& helpFile);
  // Closes every help window the engine shows for this program; an engine never loaded
  // has shown none.
  void CloseAll() const;

 private:
  using HtmlHelpAFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
  using HtmlHelpWFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

  std::wstring path_;
  bool loadTried_ = false;
  UniqueModule library_;
  HtmlHelpAFunction htmlHelpA_ = nullptr;
  HtmlHelpWFunction htmlHelpW_ = nullptr;
};

// The program's engine while an HtmlHelpSession lives, else null.
HtmlHelpEngine* ProgramHtmlHelp();

// Finds the engine and makes it the program's for the session's life; the entry point
// keeps one for the whole run, so a loaded library is released only as the program ends.
class HtmlHelpSession {
 public:
  explicit HtmlHelpSession(const HtmlHelpPlaces& places = SystemHtmlHelpPlaces());
  ~HtmlHelpSession();
  HtmlHelpSession(const HtmlHelpSession&) = delete;
  HtmlHelpSession& operator=(const HtmlHelpSession&) = delete;
  HtmlHelpEngine& Engine() { return engine_; }

 private:
  HtmlHelpEngine engine_;
  HtmlHelpEngine* previous_;
};

}  // namespace klarvik
