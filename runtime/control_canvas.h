#pragma once
// The canvas a control paints on: it borrows the DC of the paint in progress and starts
// each paint with the control's font.
#include <windows.h>

#include "runtime/canvas.h"

namespace klarvik {

class TControl;

class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl& control) : control_(control) {}

  // Borrows dc for one paint; the destructor of PaintBorrow gives it back.
  class PaintBorrow {
   public:
    PaintBorrow(TControlCanvas& canvas, HDC dc);
    PaintBorrow(const PaintBorrow&) = delete;
    PaintBorrow& operator=(const PaintBorrow&) = delete;
    ~PaintBorrow();

   private:
    TControlCanvas& canvas_;
  };

 private:
  TControl& control_;
};

}  // namespace klarvik
