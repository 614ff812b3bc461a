#include "skin/windows/ole_jpeg_decoder.h"
#include "tools/skintool/jpeg_support.h"

const JpegDecoder* SkinToolJpegDecoder() {
  static const OleJpegDecoder decoder;
  return &decoder;
}
