#include "widgets/gdiplus_objects.h"

#include <cstring>

namespace klarvik {

namespace gdip {

using namespace Gdiplus::DllExports;

// The image-format identifiers differ only in their first field: b96b3cXX-0728-11d3-9d7b-0000f81ef32e.
ImageFormat ImageFormatFromRawFormat(const GUID& rawFormat) {
  static constexpr unsigned char kTail[8] = {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e};
  if ((rawFormat.Data1 & 0xFFFFFF00u) != 0xb96b3c00u || rawFormat.Data2 != 0x0728 || rawFormat.Data3 != 0x11d3 ||
      std::memcmp(rawFormat.Data4, kTail, sizeof(kTail)) != 0) {
    return ImageFormat::Unknown;
  }
  switch (rawFormat.Data1 & 0xFF) {
    case 0xaa: return ImageFormat::MemoryBmp;
    case 0xab: return ImageFormat::Bmp;
    case 0xac: return ImageFormat::Emf;
    case 0xad: return ImageFormat::Wmf;
    case 0xae: return ImageFormat::Jpeg;
    case 0xaf: return ImageFormat::Png;
    case 0xb0: return ImageFormat::Gif;
    case 0xb1: return ImageFormat::Tiff;
    case 0xb2: return ImageFormat::Exif;
    case 0xb5: return ImageFormat::Icon;
    default: return ImageFormat::Unknown;
  }
}

ARGB OpaqueArgb(TColor color) {
  const COLORREF rgb = ColorToRGB(color);
  return 0xFF000000u | (static_cast<ARGB>(GetRValue(rgb)) << 16) | (static_cast<ARGB>(GetGValue(rgb)) << 8) |
         GetBValue(rgb);
}

SolidBrush::SolidBrush(ARGB color) { Check(GdipCreateSolidFill(color, &handle_)); }
SolidBrush::~SolidBrush() {
  if (handle_) GdipDeleteBrush(Handle());
}

Path::Path() { Check(GdipCreatePath(Gdiplus::FillModeAlternate, &handle_)); }
Path::~Path() {
  if (handle_) GdipDeletePath(handle_);
}

GpStatus Path::AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  if (!handle_) return LastStatus();
  return Check(GdipAddPathPie(handle_, x, y, width, height, startAngle, sweepAngle));
}

Region::Region(const Path& path) {
  if (path.Handle()) Check(GdipCreateRegionPath(path.Handle(), &handle_));
}
Region::~Region() {
  if (handle_) GdipDeleteRegion(handle_);
}

Image::Image(IStream* stream) {
  if (stream && Check(GdipLoadImageFromStream(stream, &handle_)) != Gdiplus::Ok) handle_ = nullptr;
}
Image::~Image() {
  if (handle_) GdipDisposeImage(handle_);
}

int Image::Width() {
  UINT width = 0;
  if (handle_) Check(GdipGetImageWidth(handle_, &width));
  return static_cast<int>(width);
}

int Image::Height() {
  UINT height = 0;
  if (handle_) Check(GdipGetImageHeight(handle_, &height));
  return static_cast<int>(height);
}

ImageFormat Image::Format() {
  GUID rawFormat{};
  if (!handle_ || Check(GdipGetImageRawFormat(handle_, &rawFormat)) != Gdiplus::Ok) return ImageFormat::Unknown;
  return ImageFormatFromRawFormat(rawFormat);
}

ARGB Image::PixelAt(int x, int y) {
  ARGB color = 0;
  if (handle_) Check(GdipBitmapGetPixel(reinterpret_cast<Gdiplus::GpBitmap*>(handle_), x, y, &color));
  return color;
}

Graphics::Graphics(HDC dc) {
  if (Check(GdipCreateFromHDC(dc, &handle_)) != Gdiplus::Ok) handle_ = nullptr;
}
Graphics::~Graphics() {
  if (handle_) GdipDeleteGraphics(handle_);
}

GpStatus Graphics::SetAntiAlias() {
  if (!handle_) return LastStatus();
  return Check(GdipSetSmoothingMode(handle_, Gdiplus::SmoothingModeAntiAlias));
}

GpStatus Graphics::ExcludeClip(const Region& region) {
  if (!handle_ || !region.Handle()) return Gdiplus::InvalidParameter;
  return Check(GdipSetClipRegion(handle_, region.Handle(), Gdiplus::CombineModeExclude));
}

GpStatus Graphics::FillPath(const SolidBrush& brush, const Path& path) {
  if (!handle_ || !brush.Handle() || !path.Handle()) return Gdiplus::InvalidParameter;
  return Check(GdipFillPath(handle_, brush.Handle(), path.Handle()));
}

GpStatus Graphics::DrawImage(const Image& image, int x, int y, int width, int height) {
  if (!handle_ || !image.Handle()) return Gdiplus::InvalidParameter;
  return Check(GdipDrawImageRectI(handle_, image.Handle(), x, y, width, height));
}

namespace {

// Image attributes live only for one keyed drawing.
class KeyAttributes {
 public:
  explicit KeyAttributes(ARGB key) {
    if (GdipCreateImageAttributes(&handle_) != Gdiplus::Ok) {
      handle_ = nullptr;
      return;
    }
    GdipSetImageAttributesColorKeys(handle_, Gdiplus::ColorAdjustTypeDefault, TRUE, key, key);
  }
  KeyAttributes(const KeyAttributes&) = delete;
  KeyAttributes& operator=(const KeyAttributes&) = delete;
  ~KeyAttributes() {
    if (handle_) GdipDisposeImageAttributes(handle_);
  }
  Gdiplus::GpImageAttributes* Handle() const { return handle_; }

 private:
  Gdiplus::GpImageAttributes* handle_ = nullptr;
};

}  // namespace

GpStatus Graphics::DrawImageKeyed(Image& image, int x, int y, int width, int height, ARGB keyColor) {
  if (!handle_ || !image.Handle()) return Gdiplus::InvalidParameter;
  const KeyAttributes attributes(keyColor);
  if (!attributes.Handle()) return Check(Gdiplus::OutOfMemory);
  Check(GdipSetInterpolationMode(handle_, Gdiplus::InterpolationModeNearestNeighbor));
  Check(GdipSetPixelOffsetMode(handle_, Gdiplus::PixelOffsetModeHalf));
  return Check(GdipDrawImageRectRectI(handle_, image.Handle(), x, y, width, height, 0, 0, image.Width(),
                                      image.Height(), Gdiplus::UnitPixel, attributes.Handle(), nullptr, nullptr));
}

}  // namespace gdip

}  // namespace klarvik
