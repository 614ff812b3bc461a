#pragma once
// TGraphicControl: a windowless control. Its parent paints it (WM_PAINT with the parent's
// DC, origin at the control's corner, clipped to its bounds) and hands it mouse messages in
// its own coordinates by calling its WndProc directly.
#include "runtime/control.h"
#include "runtime/control_canvas.h"

namespace klarvik {

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;

  TCanvas& Canvas() { return canvas_; }

  void WndProc(TMessage& Message) override;

 protected:
  virtual void Paint();
  void WMPaint(TMessage& message);

 private:
  TControlCanvas canvas_;
};

}  // namespace klarvik
