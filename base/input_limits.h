#pragma once
// What data from outside the program may ask for, one set for every format read: pictures
// (BMP, PNG, JPEG) and deflate streams (package members, PNG image data). Each reader
// checks these before it allocates anything.
#include <cstdint>

namespace klarvik {

inline constexpr int kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 26;

// Width and height above 0, neither beyond the largest side, together not beyond the most
// pixels; computed without overflow for any 64-bit inputs within the int range.
constexpr bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

// Deflate cannot expand its input by more than this factor (zlib's own bound), so a stream
// that claims more output than its input could ever give is damaged.
inline constexpr std::int64_t kMaxDeflateRatio = 1032;

}  // namespace klarvik
