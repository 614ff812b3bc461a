// Klarvik's entry point: no command-line arguments are read.
#include <windows.h>

#include "app/main_form.h"
#include "runtime/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->Initialize();
  Application->SetTitle(L"Klarvik");
  Application->CreateForm(Form1);
  Application->Run();
  // Windows go while the process is whole, not in static destruction.
  Application->DestroyComponents();
  return 0;
}
