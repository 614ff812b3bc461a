#pragma once
// The application object: title (the task-bar text, carried by a hidden owner window of
// all forms), the main form, the message loop with menu short cuts and dialog keys, and the
// default exception handler.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "runtime/component.h"
#include "runtime/forms.h"
#include "win/handles.h"

namespace klarvik {

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize();
  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& title);

  // The hidden window that owns every form and carries the task-bar button.
  HWND Handle();

  // new T(this); the reference is set before OnCreate runs; the first form becomes MainForm.
  template <class T>
  void CreateForm(T*& reference) {
    T* form = new T(this);
    reference = form;
    if (!mainForm_) mainForm_ = form;
    form->AfterConstruction();
  }

  TCustomForm* MainForm() const { return mainForm_; }
  // The form of the active window, or nullptr.
  TCustomForm* ActiveForm() const;

  // Shows the main form and handles messages until Terminate.
  void Run();
  // Handles every waiting message, then returns.
  void ProcessMessages();
  // Handles one message, waiting for it when none is there.
  void HandleMessage();
  // Run ends at its next turn, as after WM_QUIT.
  void Terminate();
  bool Terminated() const { return terminated_; }

  void Minimize();
  void Restore();

  // Call from inside a catch: passes the current exception to OnException or ShowException.
  void HandleException(TObject* Sender);
  // The default display: the error's message in an error message box.
  void ShowException(const std::exception& E);
  std::function<void(TObject* Sender, const std::exception& E)> OnException;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // Handles one waiting message; false when there was none.
  bool ProcessMessage();
  // Menu short cuts and dialog keys of the active form; true when the message was used.
  bool IsPreProcessMessage(MSG& message);
  void CreateHandle();
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  std::wstring title_;
  UniqueWindow handle_;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
};

// The process's application object, made at start-up (tests may point it at their own).
extern TApplication* Application;

}  // namespace klarvik
