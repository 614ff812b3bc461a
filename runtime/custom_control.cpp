#include "runtime/custom_control.h"

namespace klarvik {

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas_(*this) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
  if (!(ControlStyle() & csOpaque)) PaintBackground(dc);
  TControlCanvas::PaintBorrow borrow(canvas_, dc);
  Paint();
}

void TCustomControl::Paint() {}

}  // namespace klarvik
