#include "runtime/control.h"

#include <windowsx.h>

#include "runtime/win_control.h"
#include "win/exceptions.h"

namespace klarvik {

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  font_.OnChange = [this](TObject*) { OwnFontChanged(); };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation(L"A control cannot be its own parent");
  Invalidate();
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
  Invalidate();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();
  UpdateBoundsFields(left, top, width, height);
  Invalidate();
}

void TControl::UpdateBoundsFields(int left, int top, int width, int height) {
  const bool resized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (resized) Resize();
}

Rect TControl::ClientRect() const { return Rect{0, 0, width_, height_}; }

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  VisibleChanged();
}

bool TControl::Showing() const { return visible_ && (!parent_ || parent_->Showing()); }

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
}

void TControl::SetCaption(const std::wstring& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  TextChanged();
}

void TControl::SetParentFont(bool parentFont) {
  parentFont_ = parentFont;
  if (parentFont) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  copyingParentFont_ = true;
  font_.Assign(parent_->Font());
  copyingParentFont_ = false;
}

void TControl::OwnFontChanged() {
  if (!copyingParentFont_) parentFont_ = false;
  FontChanged();
}

void TControl::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  ColorChanged();
}

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated()) return;
  const RECT bounds = ToRECT(BoundsRect());
  InvalidateRect(parent_->Handle(), &bounds, FALSE);
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  windowProc_(message);
  return message.Result;
}

void TControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      WMLButtonDown(Message);
      break;
    case WM_LBUTTONUP:
      WMLButtonUp(Message);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      WMRButtonDown(Message);
      break;
    case WM_RBUTTONUP:
      WMRButtonUp(Message);
      break;
    case WM_MOUSEMOVE:
      WMMouseMove(Message);
      break;
    case CM_MOUSEENTER:
      MouseEnter();
      break;
    case CM_MOUSELEAVE:
      MouseLeave();
      break;
    default:
      DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage& Message) { Message.Result = 0; }

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::TextChanged() { Invalidate(); }
void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }
void TControl::EnabledChanged() { Invalidate(); }
void TControl::VisibleChanged() {
  // Hiding needs the area repainted as much as showing does.
  if (parent_ && parent_->HandleAllocated()) {
    const RECT bounds = ToRECT(BoundsRect());
    InvalidateRect(parent_->Handle(), &bounds, FALSE);
  }
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

bool TControl::ReportsOwnClicks() const { return false; }

void TControl::MouseDown(TMouseButton, WPARAM, int, int) {}
void TControl::MouseUp(TMouseButton, WPARAM, int, int) {}
void TControl::MouseMove(WPARAM, int, int) {}
void TControl::MouseEnter() {}
void TControl::MouseLeave() {}

void TControl::SetMouseCapture(bool capture) {
  if (!parent_) return;
  parent_->captureControl_ = capture ? this : nullptr;
  if (!parent_->HandleAllocated()) return;
  if (capture) {
    SetCapture(parent_->Handle());
  } else if (GetCapture() == parent_->Handle()) {
    ReleaseCapture();
  }
}

void TControl::WMLButtonDown(TMessage& message) {
  DefaultHandler(message);
  if (controlStyle_ & csCaptureMouse) SetMouseCapture(true);
  if ((controlStyle_ & csClickEvents) && !ReportsOwnClicks()) clicking_ = true;
  MouseDown(TMouseButton::mbLeft, message.WParam, GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
}

void TControl::WMLButtonUp(TMessage& message) {
  DefaultHandler(message);
  if (controlStyle_ & csCaptureMouse) SetMouseCapture(false);
  const int x = GET_X_LPARAM(message.LParam);
  const int y = GET_Y_LPARAM(message.LParam);
  if (clicking_) {
    clicking_ = false;
    const Rect client = ClientRect();
    if (x >= client.left && x < client.right && y >= client.top && y < client.bottom) Click();
  }
  MouseUp(TMouseButton::mbLeft, message.WParam, x, y);
}

void TControl::WMRButtonDown(TMessage& message) {
  DefaultHandler(message);
  MouseDown(TMouseButton::mbRight, message.WParam, GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
}

void TControl::WMRButtonUp(TMessage& message) {
  DefaultHandler(message);
  MouseUp(TMouseButton::mbRight, message.WParam, GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
}

void TControl::WMMouseMove(TMessage& message) {
  DefaultHandler(message);
  MouseMove(message.WParam, GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
}

}  // namespace klarvik
