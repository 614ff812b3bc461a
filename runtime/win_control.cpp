#include "runtime/win_control.h"


#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "runtime/application.h"
#include "runtime/graphic_control.h"
#include "runtime/program_icon.h"
#include "win/exception_boundary.h"
#include "win/exceptions.h"
#include "win/window_class.h"

namespace klarvik {

namespace {

constexpr wchar_t kWindowClassName[] = L"KlarvikWindow";
constexpr WindowBinding<TWinControl> kControlBinding(L"Klarvik.Control");
constexpr UINT_PTR kSubclassId = 1;

HINSTANCE ProgramInstance() { return GetModuleHandleW(nullptr); }

// Child windows get ids of their own; menu commands use a separate range.
UINT NextChildId() {
  static UINT next = 0xF000;
  if (++next == 0xFFFF) next = 0xF001;
  return next;
}

}  // namespace

// The two window procedures that lead into TWinControl::Dispatch.
struct WindowProcedures {
  static LRESULT CALLBACK OwnClass(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (auto* control = static_cast<TWinControl*>(create->lpCreateParams)) control->Attach(window, false);
    }
    if (TWinControl* control = TWinControl::FindControl(window)) return control->Dispatch(window, msg, wParam, lParam);
    return DefWindowProcW(window, msg, wParam, lParam);
  }

  static LRESULT CALLBACK Subclass(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    return reinterpret_cast<TWinControl*>(data)->Dispatch(window, msg, wParam, lParam);
  }

  static void RegisterOwnClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = OwnClass;
    windowClass.hInstance = ProgramInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = ProgramIcon();
    windowClass.lpszClassName = kWindowClassName;
    RegisterWindowClass(windowClass);
  }
};

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) { brush_.SetColor(Color()); }

TWinControl::~TWinControl() {
  SetComponentState(csDestroying);
  DestroyHandle();
  while (!controls_.empty()) {
    TControl* last = controls_.back();
    Free(last);
    std::erase(controls_, last);
  }
}

TWinControl* TWinControl::FindControl(HWND window) {
  return kControlBinding.Find(window);
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (Parent()) Parent()->HandleNeeded();
  if (!handle_) CreateHandle();
}

void TWinControl::CreateHandle() {
  CreateWnd();
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
  for (TControl* control : controls_) {
    auto* child = dynamic_cast<TWinControl*>(control);
    if (child && !child->handle_) child->CreateHandle();
  }
  UpdateTabOrderOfWindows();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = Caption();
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
  if (ControlStyle() & csAcceptsControls) params.Style |= WS_CLIPCHILDREN;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  params.WndParent = Parent() ? Parent()->Handle() : nullptr;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  const bool child = (params.Style & WS_CHILD) != 0;
  if (child && !params.WndParent) throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
  const bool ownClass = params.WinClassName.empty();
  if (ownClass) WindowProcedures::RegisterOwnClass();
  HMENU menuOrId = child ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextChildId())) : params.Menu;
  HWND window = CreateWindowExW(params.ExStyle, ownClass ? kWindowClassName : params.WinClassName.c_str(),
                                params.Caption.c_str(), params.Style, params.X, params.Y, params.Width,
                                params.Height, params.WndParent, menuOrId, ProgramInstance(),
                                ownClass ? this : nullptr);
  if (!window) throw EOSError(L"CreateWindowEx", GetLastError());
  if (!ownClass) Attach(window, true);
}

void TWinControl::DestroyHandle() {
  if (handle_) DestroyWnd();
}

void TWinControl::DestroyWnd() {
  // Child windows go with it; WM_NCDESTROY unties every object from its window.
  DestroyWindow(handle_);
}

void TWinControl::Attach(HWND window, bool standardClass) {
  handle_ = window;
  standardClass_ = standardClass;
  kControlBinding.Bind(window, this);
  if (standardClass) SetWindowSubclass(window, WindowProcedures::Subclass, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void TWinControl::Detach() {
  if (!handle_) return;
  kControlBinding.Unbind(handle_);
  if (standardClass_) RemoveWindowSubclass(handle_, WindowProcedures::Subclass, kSubclassId);
  handle_ = nullptr;
  captureControl_ = nullptr;
  mouseControl_ = nullptr;
  trackingLeave_ = false;
}

LRESULT TWinControl::Dispatch(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  const TWndMethod handler = WindowProc();
  WindowExceptions<TObject>::CallGuarded(this, 0, [&] {
    handler(message);
    return LRESULT{0};
  });
  return message.Result;
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!handle_ || (Message.Msg >= CN_BASE && Message.Msg <= CN_LAST)) {
    Message.Result = 0;
    return;
  }
  Message.Result = standardClass_ ? DefSubclassProc(handle_, Message.Msg, Message.WParam, Message.LParam)
                                  : DefWindowProcW(handle_, Message.Msg, Message.WParam, Message.LParam);
}

bool TWinControl::ReportsOwnClicks() const { return standardClass_; }

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      WMPaint(Message);
      break;
    case WM_ERASEBKGND:
      WMEraseBkgnd(Message);
      break;
    case WM_WINDOWPOSCHANGED:
      WMWindowPosChanged(Message);
      break;
    case WM_SETTEXT:
      WMSetText(Message);
      break;
    case WM_COMMAND:
      WMCommand(Message);
      break;
    case WM_NOTIFY:
      WMNotify(Message);
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      WMCtlColor(Message);
      break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      WMOwnerDrawItem(Message);
      break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
      CNCtlColor(Message);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
      WMMouse(Message);
      break;
    case WM_CAPTURECHANGED:
      WMCaptureChanged(Message);
      break;
    case WM_MOUSELEAVE:
      WMMouseLeave(Message);
      break;
    case WM_SETCURSOR:
      WMSetCursor(Message);
      break;
    case WM_NCDESTROY:
      WMNCDestroy(Message);
      break;
    default:
      TControl::WndProc(Message);
  }
}

void TWinControl::WMPaint(TMessage& message) {
  if (standardClass_) {
    DefaultHandler(message);
    return;
  }
  if (message.WParam) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    PaintWindow(dc);
    PaintControls(dc);
    return;
  }
  PaintScope paint(handle_);
  PaintWindow(paint.Dc());
  PaintControls(paint.Dc());
}

void TWinControl::WMEraseBkgnd(TMessage& message) {
  if (standardClass_) {
    DefaultHandler(message);
    return;
  }
  // WM_PAINT paints the background itself, around the opaque children.
  message.Result = 1;
}

void TWinControl::PaintWindow(HDC dc) { PaintBackground(dc); }

void TWinControl::PaintBackground(HDC dc) {
  SavedDcState saved(dc);
  for (TControl* control : controls_) {
    if (!dynamic_cast<TGraphicControl*>(control) || !control->Visible()) continue;
    if (!(control->ControlStyle() & csOpaque)) continue;
    const Rect bounds = control->BoundsRect();
    ExcludeClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  }
  const RECT client = ToRECT(ClientRect());
  FillRect(dc, &client, brush_.Handle());
}

void TWinControl::PaintControls(HDC dc) {
  RECT clip{};
  if (GetClipBox(dc, &clip) == ERROR) return;
  for (size_t i = 0; i < controls_.size(); ++i) {
    TControl* control = controls_[i];
    if (!dynamic_cast<TGraphicControl*>(control) || !control->Visible()) continue;
    const RECT bounds = ToRECT(control->BoundsRect());
    RECT visible{};
    if (!IntersectRect(&visible, &bounds, &clip)) continue;
    SavedDcState saved(dc);
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + bounds.left, origin.y + bounds.top, nullptr);
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TWinControl::WMWindowPosChanged(TMessage& message) {
  DefaultHandler(message);
  if (!handle_ || IsIconic(handle_)) return;
  RECT rect{};
  GetWindowRect(handle_, &rect);
  if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) {
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&rect), 2);
  }
  UpdateBoundsFields(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void TWinControl::WMSetText(TMessage& message) {
  DefaultHandler(message);
  if (message.Result && message.LParam) SetCaptionField(reinterpret_cast<const wchar_t*>(message.LParam));
}

bool TWinControl::ReflectToChild(HWND child, TMessage& message) {
  TWinControl* control = FindControl(child);
  if (!control || control == this) return false;
  message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
  return true;
}

void TWinControl::WMCommand(TMessage& message) {
  if (message.LParam && ReflectToChild(reinterpret_cast<HWND>(message.LParam), message)) return;
  DefaultHandler(message);
}

void TWinControl::WMNotify(TMessage& message) {
  const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
  if (header && ReflectToChild(header->hwndFrom, message)) return;
  DefaultHandler(message);
}

void TWinControl::WMCtlColor(TMessage& message) {
  if (ReflectToChild(reinterpret_cast<HWND>(message.LParam), message)) return;
  DefaultHandler(message);
}

void TWinControl::WMOwnerDrawItem(TMessage& message) {
  HWND item = nullptr;
  if (message.Msg == WM_DRAWITEM) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    if (draw->CtlType != ODT_MENU) item = draw->hwndItem;
  } else {
    const auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam);
    if (measure->CtlType != ODT_MENU) item = GetDlgItem(handle_, static_cast<int>(measure->CtlID));
  }
  if (item && ReflectToChild(item, message)) return;
  DefaultHandler(message);
}

void TWinControl::CNCtlColor(TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  SetTextColor(dc, ColorToRGB(Font().Color()));
  SetBkColor(dc, ColorToRGB(brush_.Color()));
  message.Result = reinterpret_cast<LRESULT>(brush_.Handle());
}

void TWinControl::WMMouse(TMessage& message) {
  const POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  if (message.Msg == WM_MOUSEMOVE) {
    if (!trackingLeave_) {
      TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle_, 0};
      trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    TControl* over = standardClass_ ? nullptr : GraphicControlAt(point);
    SetMouseControl(over ? over : this);
  }
  if (!standardClass_) {
    TControl* target = captureControl_ ? captureControl_ : GraphicControlAt(point);
    if (target) {
      message.Result = target->Perform(message.Msg, message.WParam,
                                       MAKELPARAM(point.x - target->Left(), point.y - target->Top()));
      return;
    }
  }
  TControl::WndProc(message);
}

void TWinControl::WMMouseLeave(TMessage& message) {
  trackingLeave_ = false;
  SetMouseControl(nullptr);
  DefaultHandler(message);
}

// A windowless child under the mouse shows its own pointer.
void TWinControl::WMSetCursor(TMessage& message) {
  if (reinterpret_cast<HWND>(message.WParam) == handle_ && LOWORD(message.LParam) == HTCLIENT && mouseControl_ &&
      mouseControl_ != this && mouseControl_->Cursor() == crHandPoint) {
    ::SetCursor(LoadCursorW(nullptr, IDC_HAND));
    message.Result = TRUE;
    return;
  }
  DefaultHandler(message);
}

void TWinControl::SetMouseControl(TControl* control) {
  if (control == mouseControl_) return;
  TControl* left = mouseControl_;
  mouseControl_ = control;
  if (left) left->Perform(CM_MOUSELEAVE, 0, 0);
  if (control && mouseControl_ == control) control->Perform(CM_MOUSEENTER, 0, 0);
}

void TWinControl::WMCaptureChanged(TMessage& message) {
  if (reinterpret_cast<HWND>(message.LParam) != handle_) captureControl_ = nullptr;
  DefaultHandler(message);
}

void TWinControl::WMNCDestroy(TMessage& message) {
  DefaultHandler(message);
  Detach();
}

void TWinControl::SetMouseCapture(bool capture) {
  if (!handle_) return;
  if (capture) {
    SetCapture(handle_);
  } else if (GetCapture() == handle_) {
    ReleaseCapture();
  }
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) return nullptr;
  return controls_[static_cast<size_t>(index)];
}

TGraphicControl* TWinControl::GraphicControlAt(POINT point) const {
  for (size_t i = controls_.size(); i-- > 0;) {
    auto* control = dynamic_cast<TGraphicControl*>(controls_[i]);
    if (!control || !control->Visible() || !control->Enabled()) continue;
    const RECT bounds = ToRECT(control->BoundsRect());
    if (PtInRect(&bounds, point)) return control;
  }
  return nullptr;
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  if (auto* window = dynamic_cast<TWinControl*>(control)) tabList_.push_back(window);
  control->SetParentField(this);
  control->ParentFontChanged();
}

void TWinControl::RemoveControl(TControl* control) {
  if (captureControl_ == control) captureControl_ = nullptr;
  if (mouseControl_ == control) mouseControl_ = nullptr;
  std::erase(controls_, control);
  std::erase(tabList_, control);
  control->SetParentField(nullptr);
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  TControl::SetParent(parent);
  if (handle_) {
    if (parent && parent->handle_) {
      ::SetParent(handle_, parent->handle_);
      parent->UpdateTabOrderOfWindows();
    } else {
      DestroyHandle();
    }
  } else if (parent && parent->handle_) {
    CreateHandle();
    parent->UpdateTabOrderOfWindows();
  }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (!handle_) {
    UpdateBoundsFields(left, top, width, height);
    return;
  }
  // WM_WINDOWPOSCHANGED stores the bounds the window really got.
  SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect TWinControl::ClientRect() const {
  if (!handle_) return TControl::ClientRect();
  RECT rect{};
  GetClientRect(handle_, &rect);
  return FromRECT(rect);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  const auto found = std::find(list.begin(), list.end(), this);
  return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  std::erase(list, this);
  const int clamped = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + clamped, this);
  Parent()->UpdateTabOrderOfWindows();
}

void TWinControl::UpdateTabOrderOfWindows() {
  if (!handle_) return;
  HWND after = HWND_TOP;
  for (TWinControl* child : tabList_) {
    if (!child->handle_) continue;
    SetWindowPos(child->handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = child->handle_;
  }
}

void TWinControl::SetTabStop(bool tabStop) {
  if (tabStop == tabStop_) return;
  tabStop_ = tabStop;
  if (!handle_) return;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  SetWindowLongPtrW(handle_, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::ChangeWindowStyle(DWORD style, DWORD exStyle) {
  if (!handle_) return;
  SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>(style));
  SetWindowLongPtrW(handle_, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::ColorChanged() {
  brush_.SetColor(Color());
  Invalidate();
}

void TWinControl::TextChanged() {
  if (handle_) SetWindowTextW(handle_, Caption().c_str());
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  for (TControl* control : controls_) control->ParentFontChanged();
  Invalidate();
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, Enabled());
}

void TWinControl::VisibleChanged() {
  if (!handle_) return;
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

}  // namespace klarvik
