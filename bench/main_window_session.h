#pragma once
// The main window as the Wine benchmarks drive it: the application, the main and status
// windows made as the program makes them, the main window shown, and the program's
// command line read as numbers and texts.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/status_form.h"
#include "runtime/application.h"

namespace klarvik::bench {

// The arguments after the program's name.
inline std::vector<std::wstring> Arguments() {
  int count = 0;
  wchar_t** values = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> arguments(values + (count > 0 ? 1 : 0), values + count);
  LocalFree(values);
  return arguments;
}

inline int IntArgument(const std::vector<std::wstring>& arguments, std::size_t index, int otherwise) {
  return index < arguments.size() ? _wtoi(arguments[index].c_str()) : otherwise;
}

// Makes the application and the windows and shows the main one; delete Application at the end.
inline void OpenMainWindow() {
  Application = new TApplication(nullptr);
  Application->Initialize();
  Application->CreateForm(Form1);
  Application->CreateForm(StatusForm1);
  Form1->Show();
  Application->ProcessMessages();
}

}  // namespace klarvik::bench
