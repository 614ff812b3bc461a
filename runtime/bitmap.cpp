#include "runtime/bitmap.h"

#include <cstring>

#include "win/exceptions.h"

namespace klarvik {

// A canvas on a memory DC that holds the bitmap; the DC is made on first use and let go
// (bitmap deselected) before the bitmap is replaced or freed.
class TBitmap::BitmapCanvas : public TCanvas {
 public:
  explicit BitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
  ~BitmapCanvas() override { FreeDc(); }

  void FreeDc() {
    if (!dc_) return;
    SetHandle(nullptr);
    SelectObject(dc_.Get(), previousBitmap_);
    dc_.Reset();
  }

 protected:
  void CreateHandle() override {
    UniqueDc dc(CreateCompatibleDC(nullptr));
    if (!dc) throw EOSError(L"CreateCompatibleDC", GetLastError());
    previousBitmap_ = bitmap_.handle_ ? SelectObject(dc.Get(), bitmap_.handle_.Get()) : nullptr;
    dc_ = std::move(dc);
    SetHandle(dc_.Get());
  }

 private:
  TBitmap& bitmap_;
  UniqueDc dc_;
  HGDIOBJ previousBitmap_ = nullptr;
};

TBitmap::TBitmap() : canvas_(std::make_unique<BitmapCanvas>(*this)) {}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() { canvas_->FreeDc(); }

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  canvas_->FreeDc();
  handle_.Reset();
  bits_ = nullptr;
  width_ = height_ = 0;
  if (width <= 0 || height <= 0) return;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: rows run top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) throw EOSError(L"CreateDIBSection", GetLastError());
  std::memset(bits, 0, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  handle_ = std::move(bitmap);
  bits_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
}

TCanvas& TBitmap::Canvas() { return *canvas_; }

PixelView TBitmap::Pixels() {
  GdiFlush();
  return PixelView{width_, height_, width_, bits_};
}

}  // namespace klarvik
