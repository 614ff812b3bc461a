// Klarvik's entry point: no command-line arguments are read.
#include <windows.h>

#include "app/html_help.h"
#include "app/main_form.h"
#include "app/status_form.h"
#include "runtime/application.h"
#include "widgets/gdiplus_session.h"

using namespace klarvik;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // GDI+ and the help engine live as long as the program, past every window that uses them.
  const GdiplusSession gdiplus;
  const HtmlHelpSession help;
  Application->Initialize();
  Application->SetTitle(L"Klarvik");
  Application->CreateForm(Form1);
  Application->CreateForm(StatusForm1);
  Application->Run();
  // Windows go while the process is whole, not in static destruction.
  Application->DestroyComponents();
  return 0;
}
