#include "tools/skintool/jpeg_support.h"

const JpegDecoder* SkinToolJpegDecoder() { return nullptr; }
