#include "tools/skintool/jpeg_support.h"

namespace klarvik {

const JpegDecoder* SkinToolJpegDecoder() { return nullptr; }

}  // namespace klarvik
