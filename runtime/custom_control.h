#pragma once
// TCustomControl: a window of the runtime's own class that paints itself through Paint.
#include "runtime/control_canvas.h"
#include "runtime/win_control.h"

namespace klarvik {

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;

  TCanvas& Canvas() { return canvas_; }

 protected:
  virtual void Paint();
  void PaintWindow(HDC dc) override;

 private:
  TControlCanvas canvas_;
};

}  // namespace klarvik
