#pragma once
// A thin owning layer over the GDI+ flat API: each object owns one GDI+ handle, frees it
// exactly once and keeps the status of its last failing call. Create them only while a
// GdiplusSession is alive, and let them go before it ends.
#include <windows.h>

#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>

#include "runtime/colors.h"

namespace klarvik {

namespace gdip {

using Gdiplus::ARGB;
using Gdiplus::GpStatus;

// The decoded image's file format, from its raw-format identifier.
enum class ImageFormat {
  Unknown = 0, MemoryBmp = 1, Bmp = 2, Emf = 3, Wmf = 4, Jpeg = 5, Png = 6, Gif = 7, Tiff = 8, Exif = 9, Icon = 10
};
ImageFormat ImageFormatFromRawFormat(const GUID& rawFormat);

// Opaque ARGB for drawing; system colours are resolved first.
ARGB OpaqueArgb(TColor color);

// Base of the objects: the status of the last call that failed (Ok when none did). Objects
// are tied to their handle, so they are neither copied nor moved.
class Object {
 public:
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  GpStatus LastStatus() const { return lastStatus_; }

 protected:
  Object() = default;
  ~Object() = default;
  // Records a failure and passes the status on.
  GpStatus Check(GpStatus status) {
    if (status != Gdiplus::Ok) lastStatus_ = status;
    return status;
  }

 private:
  GpStatus lastStatus_ = Gdiplus::Ok;
};

class SolidBrush : public Object {
 public:
  explicit SolidBrush(ARGB color);
  ~SolidBrush();
  Gdiplus::GpBrush* Handle() const { return reinterpret_cast<Gdiplus::GpBrush*>(handle_); }

 private:
  Gdiplus::GpSolidFill* handle_ = nullptr;
};

class Path : public Object {
 public:
  Path();
  ~Path();
  // A pie wedge of the ellipse inscribed in the box; angles in degrees, clockwise from three o'clock.
  GpStatus AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle);
  Gdiplus::GpPath* Handle() const { return handle_; }

 private:
  Gdiplus::GpPath* handle_ = nullptr;
};

class Region : public Object {
 public:
  explicit Region(const Path& path);
  ~Region();
  Gdiplus::GpRegion* Handle() const { return handle_; }

 private:
  Gdiplus::GpRegion* handle_ = nullptr;
};

// An image decoded from a COM stream; the stream must stay alive as long as the image.
class Image : public Object {
 public:
  explicit Image(IStream* stream);
  ~Image();
  bool Loaded() const { return handle_ != nullptr; }
  int Width();
  int Height();
  ImageFormat Format();
  // The colour of a pixel of a bitmap image (0 when the image is not a bitmap).
  ARGB PixelAt(int x, int y);
  Gdiplus::GpImage* Handle() const { return handle_; }

 private:
  Gdiplus::GpImage* handle_ = nullptr;
};

class Graphics : public Object {
 public:
  // Draws on the DC, honouring its origin and clip region.
  explicit Graphics(HDC dc);
  ~Graphics();
  bool Valid() const { return handle_ != nullptr; }

  GpStatus SetAntiAlias();
  // Takes the region out of the area that later drawing may touch.
  GpStatus ExcludeClip(const Region& region);
  GpStatus FillPath(const SolidBrush& brush, const Path& path);
  // The whole image into the rectangle, alpha honoured.
  GpStatus DrawImage(const Image& image, int x, int y, int width, int height);
  // The whole image into the rectangle with every pixel of the key colour left out and no
  // smoothing, as a plain stretched blit would show it.
  GpStatus DrawImageKeyed(Image& image, int x, int y, int width, int height, ARGB keyColor);

 private:
  Gdiplus::GpGraphics* handle_ = nullptr;
};

}  // namespace gdip

}  // namespace klarvik
