#include "skin/windows/ole_jpeg_decoder.h"

#include <objidl.h>
#include <olectl.h>

#include <cstring>

#include "base/input_limits.h"
#include "runtime/bitmap.h"
#include "skin/skin_error.h"
#include "win/handles.h"

namespace klarvik {

namespace {

constexpr const char* kInvalidJpeg = "JPEG image is not valid.";
constexpr int kHimetricPerInch = 2540;

// {7BF80980-BF32-101A-8BBB-00AA00300CAB}
constexpr GUID kPictureInterface = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

using OleLoadPictureFunction = HRESULT(WINAPI*)(LPSTREAM, LONG, BOOL, REFIID, LPVOID*);

OleLoadPictureFunction ResolveOleLoadPicture() {
  static const OleLoadPictureFunction function = [] {
    HMODULE library = LoadLibraryW(L"oleaut32.dll");
    return library ? reinterpret_cast<OleLoadPictureFunction>(
                         reinterpret_cast<void*>(GetProcAddress(library, "OleLoadPicture")))
                   : nullptr;
  }();
  return function;
}

struct StreamReleaser {
  void operator()(IStream* stream) const noexcept { stream->Release(); }
};

// The bytes in a stream over their own global memory, which the stream frees.
std::unique_ptr<IStream, StreamReleaser> StreamOver(std::span<const std::uint8_t> bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) throw EInvalidGraphic(kInvalidJpeg);
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    throw EInvalidGraphic(kInvalidJpeg);
  }
  std::memcpy(target, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream)) || !stream) {
    GlobalFree(memory);
    throw EInvalidGraphic(kInvalidJpeg);
  }
  return std::unique_ptr<IStream, StreamReleaser>(stream);
}

// HIMETRIC to pixels at the screen's resolution, rounded.
int ToPixels(OLE_XSIZE_HIMETRIC himetric, int pixelsPerInch) {
  return MulDiv(himetric, pixelsPerInch, kHimetricPerInch);
}

}  // namespace

OleJpegImage::OleJpegImage(UniquePicture picture, int width, int height)
    : picture_(std::move(picture)), width_(width), height_(height) {}

void OleJpegImage::Render(HDC dc, const Rect& target) const {
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture_->get_Width(&width);
  picture_->get_Height(&height);
  picture_->Render(dc, target.left, target.top, target.Width(), target.Height(), 0, height,
                   width, -height, nullptr);
}

SkinBitmap OleJpegImage::ToBitmap() const {
  TBitmap canvas(width_, height_);
  Render(canvas.Canvas().Handle(), Rect{0, 0, width_, height_});
  const PixelView view = canvas.Pixels();
  SkinBitmap bitmap;
  bitmap.width = width_;
  bitmap.height = height_;
  bitmap.sourceBits = 24;
  bitmap.pixels.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) bitmap.pixels[std::size_t(y) * width_ + x] = view.At(x, y) & 0x00FFFFFFu;
  }
  return bitmap;
}

std::unique_ptr<JpegImage> OleJpegDecoder::Decode(std::span<const std::uint8_t> bytes) const {
  return DecodePicture(bytes);
}

std::unique_ptr<OleJpegImage> OleJpegDecoder::DecodePicture(std::span<const std::uint8_t> bytes) const {
  ReadJpegFrameSize(bytes);
  const OleLoadPictureFunction load = ResolveOleLoadPicture();
  if (!load) throw EInvalidGraphic(kInvalidJpeg);
  auto stream = StreamOver(bytes);
  IPicture* raw = nullptr;
  const HRESULT result = load(stream.get(), static_cast<LONG>(bytes.size()), FALSE, kPictureInterface,
                              reinterpret_cast<void**>(&raw));
  if (FAILED(result) || !raw) throw EInvalidGraphic(kInvalidJpeg);
  UniquePicture picture(raw);

  OLE_XSIZE_HIMETRIC himetricWidth = 0;
  OLE_YSIZE_HIMETRIC himetricHeight = 0;
  picture->get_Width(&himetricWidth);
  picture->get_Height(&himetricHeight);
  WindowDc screen(nullptr);
  const int width = ToPixels(himetricWidth, GetDeviceCaps(screen.Get(), LOGPIXELSX));
  const int height = ToPixels(himetricHeight, GetDeviceCaps(screen.Get(), LOGPIXELSY));
  // The screen's resolution scales the size, so the caps are checked again.
  if (!PictureSizeAllowed(width, height)) throw EInvalidGraphic(kInvalidJpeg);
  return std::make_unique<OleJpegImage>(std::move(picture), width, height);
}

}  // namespace klarvik
