#pragma once
// Top-level windows: border styles, placement, stay-on-top, modal showing with modal
// results, the close query and the menu bar.
#include <windows.h>

#include <functional>

#include "runtime/win_control.h"

namespace klarvik {

class TMainMenu;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// The title's buttons a form asks for; the border style decides which it can have.
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using TBorderIcons = unsigned;  // a set of TBorderIcon bits
constexpr TBorderIcons kAllBorderIcons = biSystemMenu | biMinimize | biMaximize;

enum class TPosition { poDesigned, poScreenCenter, poMainFormCenter };
enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

class TCustomForm : public TWinControl {
 public:
  // Starts loading: the derived constructor creates and sets up its components, then
  // EndLoading (or AfterConstruction) runs their Loaded.
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  void BeforeDestruction() override;
  // Ends loading when the constructor did not, then runs OnCreate (an exception there
  // goes to the application's handler; the form stays usable).
  void AfterConstruction();

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  // Without biSystemMenu the title shows no buttons at all, not even the close box.
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);

  // The client size is kept exact, menu bar included, whenever the window is made.
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  Rect ClientRect() const override;

  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnDestroy;
  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;

  void Show();
  void Hide() { SetVisible(false); }
  // Asks CloseQuery; when allowed, runs OnClose and hides (the main form ends the application).
  void Close();
  // Shows the form modally and returns its modal result once one is set.
  int ShowModal();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  bool IsModal() const { return modal_; }
  // The button Enter presses and the one Escape presses (none: null). The buttons set and
  // clear themselves.
  TWinControl* DefaultButton() const { return defaultButton_; }
  void SetDefaultButton(TWinControl* button) { defaultButton_ = button; }
  TWinControl* CancelButton() const { return cancelButton_; }
  void SetCancelButton(TWinControl* button) { cancelButton_ = button; }
  // Destroys the form after the message being handled.
  void Release();

  // Runs OnCloseQuery; true when the form may close.
  virtual bool CloseQuery();

  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void VisibleChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // The session is ending: allow defaults to CloseQuery's answer.
  virtual void OnQueryEndSession(bool& allow);
  // ending: the session really ends (the process will be stopped after this returns).
  virtual void OnEndSession(bool ending);

  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);

  void WMClose(TMessage& message);
  void WMQueryEndSession(TMessage& message);
  void WMEndSession(TMessage& message);
  void WMMenuCommand(TMessage& message);
  void WMSysCommand(TMessage& message);
  void WMActivate(TMessage& message);
  void CMRelease(TMessage& message);

 private:
  void WindowStyles(DWORD& style, DWORD& exStyle) const;
  // The outer size that gives the wanted client size with the current style and menu.
  SIZE WindowSizeForClient(int clientWidth, int clientHeight) const;
  void ApplyWindowStyles();
  // Shows a refused close, a modal result or the end of the application; true to leave the modal loop.
  bool ModalLoopDone();
  void CorrectClientSize();
  void PlaceOnFirstShow();
  void DoDestroy();

  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TBorderIcons borderIcons_ = kAllBorderIcons;
  TPosition position_ = TPosition::poDesigned;
  TFormStyle formStyle_ = TFormStyle::fsNormal;
  TMainMenu* menu_ = nullptr;
  int wantedClientWidth_ = -1;
  int wantedClientHeight_ = -1;
  int modalResult_ = mrNone;
  TWinControl* defaultButton_ = nullptr;
  TWinControl* cancelButton_ = nullptr;
  bool modal_ = false;
  bool placed_ = false;
  bool destroyedEventRun_ = false;
  HWND focusBeforeDeactivation_ = nullptr;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};

}  // namespace klarvik
