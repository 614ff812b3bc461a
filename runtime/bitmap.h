#pragma once
// TBitmap: a 32-bit top-down DIB section with a canvas and a pixel view for the portable core.
#include <windows.h>

#include <memory>

#include "base/pixel_view.h"
#include "runtime/canvas.h"
#include "runtime/component.h"
#include "win/handles.h"

namespace klarvik {

class TBitmap : public TObject {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;

  // Makes a new DIB of that size (contents zeroed); 0 × 0 leaves the bitmap empty.
  void SetSize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return !handle_; }

  HBITMAP Handle() const { return handle_.Get(); }
  TCanvas& Canvas();
  // Pixels after GdiFlush, so GDI drawing done so far is visible in them.
  PixelView Pixels();

 private:
  class BitmapCanvas;

  UniqueBitmap handle_;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<BitmapCanvas> canvas_;
};

}  // namespace klarvik
