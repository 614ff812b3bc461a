// The caption buttons under the mouse: enough for the close, minimize and maximize boxes
// to work as the system's own do (pressed look while held, the command on release over
// the same button).
#include <windowsx.h>

#include "window/skin_provider.h"

namespace klarvik {

CaptionButtonSlot* TsSkinProvider::ButtonWithHitCode(int hitCode) {
  for (CaptionButtonSlot* button : {&closeButton_, &maximizeButton_, &minimizeButton_}) {
    if (button->HitCode == hitCode && button->State >= 0 && !button->Bounds.Empty()) return button;
  }
  return nullptr;
}

void TsSkinProvider::NCHitTest(TMessage& message) {
  CallPrevious(message);
  if (!DrawNonClientArea || CaptionHeight() == 0) return;
  const Rect window = WindowRect();
  const POINT at{GET_X_LPARAM(message.LParam) - window.left, GET_Y_LPARAM(message.LParam) - window.top};
  for (CaptionButtonSlot* button : {&closeButton_, &maximizeButton_, &minimizeButton_}) {
    const Rect& r = button->Bounds;
    if (button->State >= 0 && at.x >= r.left && at.x < r.right && at.y >= r.top && at.y < r.bottom) {
      message.Result = button->HitCode;
      return;
    }
  }
  // The system's own button areas are plain caption under the skinned title.
  if (message.Result == HTCLOSE || message.Result == HTMAXBUTTON || message.Result == HTMINBUTTON ||
      message.Result == HTSYSMENU || message.Result == HTHELP)
    message.Result = HTCAPTION;
}

bool TsSkinProvider::CaptionButtonPress(TMessage& message) {
  if (!DrawNonClientArea) return false;
  const int hit = static_cast<int>(message.WParam);
  CaptionButtonSlot* button = ButtonWithHitCode(hit);
  if (message.Msg == WM_NCLBUTTONUP) {
    CaptionButtonSlot* pressed = ButtonWithHitCode(pressedHitCode_);
    pressedHitCode_ = HTNOWHERE;
    if (!pressed) return button != nullptr;
    pressed->State = 0;
    RepaintButton(*pressed);
    if (pressed != button) return true;
    const WPARAM command = hit == HTCLOSE ? SC_CLOSE : hit == HTMINBUTTON ? SC_MINIMIZE : WindowMaximized() ? SC_RESTORE : SC_MAXIMIZE;
    PostMessageW(form_->Handle(), WM_SYSCOMMAND, command, message.LParam);
    return true;
  }
  if (!button) return false;
  pressedHitCode_ = hit;
  button->State = 2;
  RepaintButton(*button);
  return true;
}

}  // namespace klarvik
