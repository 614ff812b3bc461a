// The JPEG check that runs before the platform decoder: any bytes end in a size within
// the caps or in a skin error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/input_limits.h"
#include "skin/image/jpeg_decoder.h"
#include "skin/skin_error.h"

using namespace klarvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const JpegFrameSize frame = ReadJpegFrameSize(std::span<const std::uint8_t>(data, size));
    if (!PictureSizeAllowed(frame.width, frame.height)) std::abort();
  } catch (const ESkinError&) {
  }
  return 0;
}
