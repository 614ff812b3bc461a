// Launch to first paint, as a whole program, for hyperfine (bench/startup/run.sh):
//   startup_bench klarvik  the program's start (application, main and status windows, the
//                          stored skin loaded) up to the main window's first skinned paint
//   startup_bench bare     a bare Win32 window of the main window's outer size, up to its
//                          first paint
// Either ends the process the moment its window has painted, so that the time the exit of
// a GUI program waits for a window manager stays out of the figure.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/html_help.h"
#include "app/main_form.h"
#include "app/status_form.h"
#include "bench/main_window_session.h"
#include "runtime/application.h"
#include "widgets/gdiplus_session.h"

using namespace klarvik;

namespace {

bool bareShown = false;

LRESULT CALLBACK BareWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    FillRect(paint.hdc, &paint.rcPaint, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    EndPaint(window, &paint);
    bareShown = true;
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

// The main window's outer size: its 440 x 211 client area with a caption and a menu bar.
SIZE MainWindowSize() {
  RECT rect{0, 0, 440, 211};
  AdjustWindowRectEx(&rect, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, TRUE, 0);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void BareWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BareWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"StartupBenchBare";
  RegisterClassW(&windowClass);
  const SIZE size = MainWindowSize();
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Klarvik", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, windowClass.hInstance,
                                nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG msg;
  while (!bareShown && GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
}

// As the program starts, up to the main window painted with its skin.
bool KlarvikWindow() {
  const GdiplusSession gdiplus;
  const HtmlHelpSession help;
  Application->Initialize();
  Application->SetTitle(L"Klarvik");
  Application->CreateForm(Form1);
  Application->CreateForm(StatusForm1);
  ShowWindow(Application->Handle(), SW_SHOWNOACTIVATE);
  Form1->Show();
  UpdateWindow(Form1->Handle());
  Application->ProcessMessages();
  return Form1->sSkinProvider1->FormImage() != nullptr;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::vector<std::wstring> arguments = bench::Arguments();
  const std::wstring mode = arguments.empty() ? L"klarvik" : arguments[0];
  if (mode == L"bare") {
    BareWindow();
  } else if (!KlarvikWindow()) {
    std::fprintf(stderr, "the main window was painted without a skin\n");
    TerminateProcess(GetCurrentProcess(), 1);
  }
  TerminateProcess(GetCurrentProcess(), 0);
  return 0;
}
