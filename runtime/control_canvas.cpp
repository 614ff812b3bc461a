#include "runtime/control_canvas.h"

#include "runtime/control.h"

namespace klarvik {

TControlCanvas::PaintBorrow::PaintBorrow(TControlCanvas& canvas, HDC dc) : canvas_(canvas) {
  canvas.SetHandle(dc);
  canvas.Font().Assign(canvas.control_.Font());
  canvas.Brush().SetColor(canvas.control_.Color());
}

TControlCanvas::PaintBorrow::~PaintBorrow() { canvas_.SetHandle(nullptr); }

}  // namespace klarvik
