#include "runtime/forms.h"

#include <algorithm>
#include <vector>

#include "runtime/application.h"
#include "runtime/menus.h"
#include "win/exceptions.h"

namespace klarvik {

namespace {

// Disables the other visible windows of the thread while a modal form runs, and re-enables them.
class ThreadWindowsDisabled {
 public:
  explicit ThreadWindowsDisabled(HWND except) : except_(except) {
    EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
    for (HWND window : disabled_) EnableWindow(window, FALSE);
  }
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;
  ~ThreadWindowsDisabled() {
    for (HWND window : disabled_) {
      if (IsWindow(window)) EnableWindow(window, TRUE);
    }
  }

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM data) {
    auto* self = reinterpret_cast<ThreadWindowsDisabled*>(data);
    if (window != self->except_ && IsWindowVisible(window) && IsWindowEnabled(window))
      self->disabled_.push_back(window);
    return TRUE;
  }

  HWND except_;
  std::vector<HWND> disabled_;
};

}  // namespace

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  BeginLoading();
  SetVisibleField(false);
  SetParentFont(false);
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm() {
  DoDestroy();
  DestroyHandle();
}

void TCustomForm::BeforeDestruction() {
  TWinControl::BeforeDestruction();
  DoDestroy();
}

void TCustomForm::DoDestroy() {
  if (destroyedEventRun_) return;
  destroyedEventRun_ = true;
  if (!OnDestroy) return;
  try {
    OnDestroy(this);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

void TCustomForm::AfterConstruction() {
  if (IsLoading()) EndLoading();
  if (!OnCreate) return;
  try {
    OnCreate(this);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

void TCustomForm::WindowStyles(DWORD& style, DWORD& exStyle) const {
  style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  exStyle = 0;
  const DWORD systemMenu = (borderIcons_ & biSystemMenu) ? WS_SYSMENU : 0;
  const DWORD minimizeBox = (borderIcons_ & biSystemMenu) && (borderIcons_ & biMinimize) ? WS_MINIMIZEBOX : 0;
  const DWORD maximizeBox = (borderIcons_ & biSystemMenu) && (borderIcons_ & biMaximize) ? WS_MAXIMIZEBOX : 0;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
      style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
      style |= WS_CAPTION | systemMenu | minimizeBox;
      break;
    case TFormBorderStyle::bsSizeable:
      style |= WS_CAPTION | systemMenu | minimizeBox | maximizeBox | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      style |= WS_POPUP | WS_CAPTION | systemMenu;
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
    case TFormBorderStyle::bsToolWindow:
      style |= WS_CAPTION | systemMenu;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
    case TFormBorderStyle::bsSizeToolWin:
      style |= WS_CAPTION | systemMenu | WS_THICKFRAME;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (formStyle_ == TFormStyle::fsStayOnTop) exStyle |= WS_EX_TOPMOST;
  if (!Enabled()) style |= WS_DISABLED;
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  WindowStyles(params.Style, params.ExStyle);
  params.WndParent = Application ? Application->Handle() : nullptr;
  params.Menu = menu_ ? menu_->Handle() : nullptr;
  if (wantedClientWidth_ >= 0 || wantedClientHeight_ >= 0) {
    const SIZE size = WindowSizeForClient(ClientWidth(), ClientHeight());
    params.Width = size.cx;
    params.Height = size.cy;
  }
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (menu_) menu_->SetWindowHandle(Handle());
  CorrectClientSize();
}

void TCustomForm::DestroyWnd() {
  // DestroyWindow would destroy the attached menu bar, which belongs to the menu component.
  if (menu_) {
    ::SetMenu(Handle(), nullptr);
    menu_->SetWindowHandle(nullptr);
  }
  TWinControl::DestroyWnd();
}

SIZE TCustomForm::WindowSizeForClient(int clientWidth, int clientHeight) const {
  DWORD style = 0;
  DWORD exStyle = 0;
  WindowStyles(style, exStyle);
  RECT rect{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&rect, style, menu_ != nullptr, exStyle);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// A menu bar that wraps, or a frame the system draws differently from what AdjustWindowRectEx
// predicts, would leave the client area off; measure and fix it.
void TCustomForm::CorrectClientSize() {
  if (!HandleAllocated() || (wantedClientWidth_ < 0 && wantedClientHeight_ < 0)) return;
  HWND window = Handle();
  // The menu bar's height is worked out when the frame is recalculated; before the
  // first one it may count as nothing.
  if (menu_) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  RECT client{};
  GetClientRect(window, &client);
  const int dx = wantedClientWidth_ < 0 ? 0 : wantedClientWidth_ - client.right;
  const int dy = wantedClientHeight_ < 0 ? 0 : wantedClientHeight_ - client.bottom;
  if (dx == 0 && dy == 0) return;
  RECT outer{};
  GetWindowRect(window, &outer);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TCustomForm::ClientWidth() const {
  if (HandleAllocated()) return ClientRect().right;
  if (wantedClientWidth_ >= 0) return wantedClientWidth_;
  const SIZE frame = WindowSizeForClient(0, 0);
  return std::max(0, static_cast<int>(Width() - frame.cx));
}

int TCustomForm::ClientHeight() const {
  if (HandleAllocated()) return ClientRect().bottom;
  if (wantedClientHeight_ >= 0) return wantedClientHeight_;
  const SIZE frame = WindowSizeForClient(0, 0);
  return std::max(0, static_cast<int>(Height() - frame.cy));
}

void TCustomForm::SetClientWidth(int width) {
  const int height = ClientHeight();
  wantedClientWidth_ = width;
  const SIZE size = WindowSizeForClient(width, height);
  SetBounds(Left(), Top(), size.cx, Height());
  CorrectClientSize();
}

void TCustomForm::SetClientHeight(int height) {
  const int width = ClientWidth();
  wantedClientHeight_ = height;
  const SIZE size = WindowSizeForClient(width, height);
  SetBounds(Left(), Top(), Width(), size.cy);
  CorrectClientSize();
}

Rect TCustomForm::ClientRect() const {
  if (HandleAllocated()) return TWinControl::ClientRect();
  return Rect{0, 0, ClientWidth(), ClientHeight()};
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  ApplyWindowStyles();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  ApplyWindowStyles();
}

void TCustomForm::ApplyWindowStyles() {
  if (!HandleAllocated()) return;
  DWORD windowStyle = 0;
  DWORD exStyle = 0;
  WindowStyles(windowStyle, exStyle);
  if (IsWindowVisible(Handle())) windowStyle |= WS_VISIBLE;
  ChangeWindowStyle(windowStyle, exStyle);
  CorrectClientSize();
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (style == formStyle_) return;
  formStyle_ = style;
  if (!HandleAllocated()) return;
  SetWindowPos(Handle(), style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) {
    menu_->SetWindowHandle(nullptr);
    menu_->RemoveFreeNotification(this);
  }
  menu_ = menu;
  if (menu_) menu_->FreeNotification(this);
  if (!HandleAllocated()) return;
  ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
  if (menu_) menu_->SetWindowHandle(Handle());
  CorrectClientSize();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == menu_) menu_ = nullptr;
}

void TCustomForm::Show() {
  SetVisible(true);
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetActiveWindow(Handle());
}

void TCustomForm::VisibleChanged() {
  if (Visible()) {
    HandleNeeded();
    PlaceOnFirstShow();
    DoShow();
    ShowWindow(Handle(), SW_SHOW);
  } else {
    DoHide();
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  }
}

void TCustomForm::PlaceOnFirstShow() {
  if (placed_) return;
  placed_ = true;
  RECT area{};
  TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
  if (position_ == TPosition::poMainFormCenter && mainForm && mainForm != this && mainForm->HandleAllocated()) {
    GetWindowRect(mainForm->Handle(), &area);
  } else if (position_ != TPosition::poDesigned) {
    // The centre of the primary screen itself, task bar or not.
    area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  } else {
    return;
  }
  const int left = area.left + (area.right - area.left - Width()) / 2;
  const int top = area.top + (area.bottom - area.top - Height()) / 2;
  SetBounds(left, top, Width(), Height());
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == this) {
    Hide();
    Application->Terminate();
    return;
  }
  switch (action) {
    case TCloseAction::caHide:
      Hide();
      break;
    case TCloseAction::caMinimize:
      ShowWindow(Handle(), SW_MINIMIZE);
      break;
    case TCloseAction::caFree:
      Hide();
      Release();
      break;
    case TCloseAction::caNone:
      break;
  }
}

bool TCustomForm::ModalLoopDone() {
  if (Application && Application->Terminated()) {
    modalResult_ = mrCancel;
    return true;
  }
  if (modalResult_ == mrNone) return false;
  TCloseAction action = TCloseAction::caHide;
  const bool allowed = CloseQuery();
  if (allowed) DoClose(action);
  if (!allowed || action == TCloseAction::caNone) {
    modalResult_ = mrNone;
    return false;
  }
  if (action == TCloseAction::caFree) Release();
  return true;
}

int TCustomForm::ShowModal() {
  if (Visible() || modal_) throw EInvalidOperation(L"Cannot make a visible window modal");
  if (!Application) throw EInvalidOperation(L"No application to run the modal loop");
  HandleNeeded();
  HWND activeBefore = GetActiveWindow();
  modalResult_ = mrNone;
  modal_ = true;
  {
    ThreadWindowsDisabled others(Handle());
    try {
      Show();
      while (!ModalLoopDone()) Application->HandleMessage();
    } catch (...) {
      modal_ = false;
      Hide();
      throw;
    }
    modal_ = false;
    Hide();
  }
  if (activeBefore && IsWindow(activeBefore)) SetActiveWindow(activeBefore);
  return modalResult_;
}

void TCustomForm::Release() { PostMessageW(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      WMClose(Message);
      break;
    case WM_QUERYENDSESSION:
      WMQueryEndSession(Message);
      break;
    case WM_ENDSESSION:
      WMEndSession(Message);
      break;
    case WM_COMMAND:
      WMMenuCommand(Message);
      break;
    case WM_SYSCOMMAND:
      WMSysCommand(Message);
      break;
    case WM_ACTIVATE:
      WMActivate(Message);
      break;
    case CM_RELEASE:
      CMRelease(Message);
      break;
    case DM_GETDEFID:
      // The dialog keys ask which button Enter presses.
      if (defaultButton_ && defaultButton_->HandleAllocated() && defaultButton_->Enabled()) {
        Message.Result = MAKELRESULT(GetDlgCtrlID(defaultButton_->Handle()), DC_HASDEFID);
      } else {
        TWinControl::WndProc(Message);
      }
      break;
    default:
      TWinControl::WndProc(Message);
  }
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMQueryEndSession(TMessage& message) {
  bool allow = true;
  OnQueryEndSession(allow);
  message.Result = allow ? TRUE : FALSE;
}

void TCustomForm::WMEndSession(TMessage& message) { OnEndSession(message.WParam != FALSE); }

void TCustomForm::OnQueryEndSession(bool& allow) { allow = CloseQuery(); }

void TCustomForm::OnEndSession(bool ending) {
  if (ending && Application && Application->MainForm() == this) Application->Terminate();
}

void TCustomForm::WMMenuCommand(TMessage& message) {
  const bool fromMenu = message.LParam == 0 && HIWORD(message.WParam) == 0;
  TMenuItem* item = fromMenu && menu_ ? menu_->FindItem(LOWORD(message.WParam)) : nullptr;
  // Escape, sent by the dialog keys as a command of no window.
  if (!item && LOWORD(message.WParam) == IDCANCEL && message.LParam == 0 && cancelButton_ &&
      cancelButton_->HandleAllocated() && cancelButton_->Enabled()) {
    SendMessageW(cancelButton_->Handle(), BM_CLICK, 0, 0);
    message.Result = 0;
    return;
  }
  if (!item) {
    WMCommand(message);
    return;
  }
  item->Click();
  message.Result = 0;
}

void TCustomForm::WMSysCommand(TMessage& message) {
  const bool minimizeMain = (message.WParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this;
  if (minimizeMain) {
    Application->Minimize();
    return;
  }
  DefaultHandler(message);
}

// Keeps keyboard focus on the child that had it, rather than on the form itself.
void TCustomForm::WMActivate(TMessage& message) {
  HWND window = Handle();
  if (LOWORD(message.WParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus)) focusBeforeDeactivation_ = focus;
    DefaultHandler(message);
    return;
  }
  HWND target = focusBeforeDeactivation_;
  if (!target || !IsWindow(target) || !IsChild(window, target) || !IsWindowEnabled(target) ||
      !IsWindowVisible(target)) {
    target = GetNextDlgTabItem(window, nullptr, FALSE);
  }
  if (!target || HIWORD(message.WParam)) {
    DefaultHandler(message);
    return;
  }
  ::SetFocus(target);
  message.Result = 0;
}

void TCustomForm::CMRelease(TMessage&) { Free(this); }

}  // namespace klarvik
