#pragma once
// Per-section records: every section of the definition read through "PARENTCLASS"
// inheritance, then the overlay lines applied on top.
#include "base/system_colors.h"
#include "skin/definition/gradient_texts.h"
#include "skin/definition/ini_text.h"
#include "skin/definition/skin_records.h"

namespace klarvik {

// One record per section, in the order written. Image indexes are left for later. The
// gradients are parsed into `gradients`, which the overlay's records then share.
TsGeneralDataArray ReadSectionRecords(const TsIniText& definition, const TsSystemInfo& system, TsGradientTexts& gradients);

// Overrides records of the overlay's sections (or adds them); [GLOBALINFO] is left alone.
void ApplyOverlayRecords(const TsIniText& overlay, const TsSystemInfo& system, TsGradientTexts& gradients,
                         TsGeneralDataArray& records);

}  // namespace klarvik
