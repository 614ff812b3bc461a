#pragma once
// JPG skin backgrounds. The bytes are checked here, portably, before any platform
// decoder sees them: the JPEG signature (the platform's picture loader would also parse
// metafiles and other formats) and the frame size, capped so that a hostile file cannot
// ask for a huge picture. The decoding itself is the platform's (skin/windows/); the
// native build has no decoder.
#include <cstdint>
#include <memory>
#include <span>

#include "skin/image/skin_bitmap.h"

namespace klarvik {

// Backgrounds of more pixels than this stay pictures; smaller ones become textures.
inline constexpr std::int64_t kLargeBackgroundPixels = 899999;

using JpegFrameSize = SkinImageSize;

// True when the bytes begin with the JPEG start-of-image marker followed by a marker.
bool HasJpegSignature(std::span<const std::uint8_t> bytes);

// Walks the markers up to the first start-of-frame and returns its size. Raises
// EInvalidGraphic for a missing signature, a marker segment running past the end, no
// frame, a zero side or a size beyond the caps.
JpegFrameSize ReadJpegFrameSize(std::span<const std::uint8_t> bytes);

// width x height above 899999, computed without overflow.
bool IsLargeBackground(int width, int height);

// A decoded JPG picture.
class JpegImage {
 public:
  virtual ~JpegImage() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The picture drawn at (0, 0) onto a new bitmap of its size; sourceBits 24, so
  // normalising gives every pixel alpha 255 except key-coloured ones.
  virtual SkinBitmap ToBitmap() const = 0;
};

class JpegDecoder {
 public:
  virtual ~JpegDecoder() = default;
  // Raises EInvalidGraphic when the bytes are not a JPEG the decoder can read; an
  // implementation calls ReadJpegFrameSize before its platform decoder.
  virtual std::unique_ptr<JpegImage> Decode(std::span<const std::uint8_t> bytes) const = 0;
};

}  // namespace klarvik
