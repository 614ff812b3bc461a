#include "runtime/graphic_control.h"

namespace klarvik {

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), canvas_(*this) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      WMPaint(Message);
      break;
    default:
      TControl::WndProc(Message);
  }
}

// The parent sends WM_PAINT with its DC, already clipped and with the origin at our corner.
void TGraphicControl::WMPaint(TMessage& message) {
  if (!message.WParam) return;
  TControlCanvas::PaintBorrow borrow(canvas_, reinterpret_cast<HDC>(message.WParam));
  Paint();
}

void TGraphicControl::Paint() {}

}  // namespace klarvik
