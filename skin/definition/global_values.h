#pragma once
// The skin's global values and its 28 global colours.
#include "skin/definition/ini_text.h"
#include "skin/definition/skin_records.h"
#include "skin/definition/system_colors.h"

// [GLOBALINFO] into the global values; the shadow and caption-glow values are converted
// strictly (ESkinConvertError).
TsSkinData ReadGlobalValues(const TsIniText& definition, const TsSystemInfo& system);

// Filled after the section records (and the overlay) exist.
TsPalette BuildPalette(const TsIniText& definition, const TsGeneralDataArray& records, const TsSystemInfo& system);

// Per channel nearest(weight * a + (1 - weight) * b); the high byte is a's.
TColor MixColors(TColor a, TColor b, double weight);
