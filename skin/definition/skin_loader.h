#pragma once
// One load of a skin definition: the text and the skin's files in, the whole tables out.
// Any failure raises (ESkinError and its kinds) and leaves nothing half-built behind, so
// the caller keeps its previous tables.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/system_colors.h"
#include "skin/definition/image_entries.h"
#include "skin/definition/skin_files.h"
#include "skin/definition/skin_tables.h"
#include "skin/image/jpeg_decoder.h"

namespace klarvik {

struct TsLoadSettings {
  TsSystemInfo System = ClassicSystemInfo();
  // Overlay lines applied to every skin, as PrepareCommonSections leaves them.
  std::vector<std::string> CommonSections;
  const JpegDecoder* Jpeg = nullptr;  // none: JPG backgrounds are left out
  std::string SkinFolder;             // recorded in the global values
  std::int64_t MaxImagePixels = kMaxSkinPixels;  // all pictures of the load together
  int HueOffset = 0;   // degrees, applied to the finished tables
  int Saturation = 0;  // percent
};

// Lines of the overlay as assigned: every line not beginning with ";" loses all blanks.
std::vector<std::string> PrepareCommonSections(const std::vector<std::string>& lines);

TsSkinTables LoadSkinTables(std::string_view definition, const TsSkinFiles& files, const TsLoadSettings& settings);

// The indexes the painting code reads most, looked up in finished tables.
TsCachedIndexes ComputeCachedIndexes(const TsSkinTables& tables);

}  // namespace klarvik
