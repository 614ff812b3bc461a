#pragma once
// JPG skin images through the platform's OLE picture object. The bytes pass the portable
// signature and frame-size check first, so OleLoadPicture (which would also read
// metafiles, icons and bitmaps) only ever sees a JPEG within the size caps.
#include <windows.h>
#include <ocidl.h>

#include <memory>
#include <span>

#include "base/geometry.h"
#include "skin/image/jpeg_decoder.h"

namespace klarvik {

struct PictureReleaser {
  void operator()(IPicture* picture) const noexcept { picture->Release(); }
};
using UniquePicture = std::unique_ptr<IPicture, PictureReleaser>;

class OleJpegImage : public JpegImage {
 public:
  OleJpegImage(UniquePicture picture, int width, int height);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  SkinBitmap ToBitmap() const override;

  // The picture's own render operation, stretched to the rectangle: how large
  // backgrounds are drawn.
  void Render(HDC dc, const Rect& target) const;

 private:
  UniquePicture picture_;
  int width_;
  int height_;
};

class OleJpegDecoder : public JpegDecoder {
 public:
  std::unique_ptr<JpegImage> Decode(std::span<const std::uint8_t> bytes) const override;
  std::unique_ptr<OleJpegImage> DecodePicture(std::span<const std::uint8_t> bytes) const;
};

}  // namespace klarvik
