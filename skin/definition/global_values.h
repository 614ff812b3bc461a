#pragma once
// The skin's global values and its 28 global colours.
#include "base/system_colors.h"
#include "skin/definition/ini_text.h"
#include "skin/definition/skin_records.h"

namespace klarvik {

// [GLOBALINFO] into the global values; the shadow and caption-glow values are converted
// strictly (ESkinConvertError).
TsSkinData ReadGlobalValues(const TsIniText& definition, const TsSystemInfo& system);

// Filled after the section records (and the overlay) exist.
TsPalette BuildPalette(const TsIniText& definition, const TsGeneralDataArray& records, const TsSystemInfo& system);

}  // namespace klarvik
