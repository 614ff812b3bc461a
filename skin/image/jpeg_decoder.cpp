#include "skin/image/jpeg_decoder.h"

#include "base/byte_reader.h"
#include "base/input_limits.h"
#include "skin/skin_error.h"

namespace klarvik {

namespace {

constexpr const char* kInvalidJpeg = "JPEG image is not valid.";

[[noreturn]] void Fail() { throw EInvalidGraphic(kInvalidJpeg); }

bool IsStartOfFrame(std::uint8_t marker) {
  // C4 (Huffman tables), C8 (reserved) and CC (arithmetic conditioning) share the range.
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool StandsAlone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8); }

}  // namespace

bool HasJpegSignature(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

JpegFrameSize ReadJpegFrameSize(std::span<const std::uint8_t> bytes) {
  if (!HasJpegSignature(bytes)) Fail();
  std::size_t pos = 2;
  for (;;) {
    if (pos >= bytes.size() || bytes[pos] != 0xFF) Fail();
    while (pos < bytes.size() && bytes[pos] == 0xFF) ++pos;  // fill bytes
    if (pos >= bytes.size()) Fail();
    const std::uint8_t marker = bytes[pos++];
    if (StandsAlone(marker)) continue;
    // The end of the image or the scan data before any frame header: no size to read.
    if (marker == 0xD9 || marker == 0xDA || marker == 0x00) Fail();
    if (bytes.size() - pos < 2) Fail();
    const std::size_t length = ByteReader::Be16Of(bytes.subspan(pos).first<2>());
    if (length < 2 || length > bytes.size() - pos) Fail();
    if (IsStartOfFrame(marker)) {
      if (length < 8) Fail();
      // Precision, then height and width.
      const std::span<const std::uint8_t> frame = bytes.subspan(pos + 2);
      const JpegFrameSize size{ByteReader::Be16Of(frame.subspan<3, 2>()), ByteReader::Be16Of(frame.subspan<1, 2>())};
      if (!PictureSizeAllowed(size.width, size.height)) Fail();
      return size;
    }
    pos += length;
  }
}

bool IsLargeBackground(int width, int height) {
  return std::int64_t{width} * std::int64_t{height} > kLargeBackgroundPixels;
}

}  // namespace klarvik
