// The cleaning run of the main window: Clean shows the status window and starts the
// cleaner; the threaded timer polls until no cleaner runs, then measures again.
#include <windows.h>

#include "app/companions.h"
#include "app/main_form.h"
#include "app/program_folders.h"
#include "app/status_form.h"
#include "base/scope_exit.h"
#include "runtime/application.h"

namespace klarvik {

void TForm1::sButton1Click(TObject*) {
  // One run at a time, by every route to the button (click, access key, Enter): a
  // second cleaner has nothing to do, and a click handled while the last poll is
  // pending would have that poll hide the window the click has just shown.
  if (cleaningRun_) return;
  cleaningRun_ = true;
  StatusForm1->Show();
  // The status window paints before the cleaner takes the processor.
  Application->ProcessMessages();
  klarvik::StartCompanion(klarvik::ProgramFolder, CleanerFileName, L"/del");
  Application->ProcessMessages();
  ThreadedTimer1->SetEnabled(true);
}

void TForm1::ThreadedTimer1Timer(TObject*) {
  if (klarvik::IsProcessRunning(klarvik::ProgramFolder + CleanerFileName)) return;
  // The run lasts until the final measurement has been shown, even when it fails.
  const klarvik::ScopeExit runOver([this] { cleaningRun_ = false; });
  ThreadedTimer1->SetEnabled(false);
  // Shown, the status window took the activation; the main window gets it back, or
  // after the run no window of the program would take the keyboard.
  const bool statusWasActive = StatusForm1->HandleAllocated() && GetActiveWindow() == StatusForm1->Handle();
  StatusForm1->Hide();
  if (statusWasActive) SetForegroundWindow(Handle());
  SetEnabled(true);
  GetTempSizeExecute(nullptr);
}

}  // namespace klarvik
