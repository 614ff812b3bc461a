#include "skin/windows/ole_jpeg_decoder.h"
#include "tools/skintool/jpeg_support.h"

namespace klarvik {

const JpegDecoder* SkinToolJpegDecoder() {
  static const OleJpegDecoder decoder;
  return &decoder;
}

}  // namespace klarvik
