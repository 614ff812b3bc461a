#pragma once
// The JPG decoder skintool hands to the definition model: the platform's on Windows, none
// natively (JPG backgrounds are then left out of the report, as the model does).
#include "skin/image/jpeg_decoder.h"

namespace klarvik {

const JpegDecoder* SkinToolJpegDecoder();

}  // namespace klarvik
