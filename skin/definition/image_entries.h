#pragma once
// Image entries and large backgrounds made from the image references of a definition
// (or of the overlay lines).
#include <cstdint>

#include "skin/definition/ini_text.h"
#include "skin/definition/skin_files.h"
#include "skin/definition/skin_records.h"
#include "skin/image/jpeg_decoder.h"
#include "skin/image/skin_bitmap.h"

namespace klarvik {

// The pixels one load may decode in all, so that a definition naming a large picture many
// times cannot exhaust memory.
inline constexpr std::int64_t kMaxSkinPixels = std::int64_t{1} << 25;

class TsPixelBudget {
 public:
  explicit TsPixelBudget(std::int64_t limit) : left_(limit) {}
  // Raises ESkinError when the picture would take the load past its limit. Taken from the
  // file's header, before the pixels are decoded; a picture that decodes larger than its
  // header said takes the difference from `alreadyTaken` afterwards.
  void Take(SkinImageSize size, SkinImageSize alreadyTaken = {});

 private:
  std::int64_t left_;
};

struct TsImageSources {
  const TsSkinFiles& Files;
  double Version = 0;           // the definition's, for the old-definition and PNG alpha rules
  const SkinBitmap& Master;     // normalised; may be empty
  const JpegDecoder* Jpeg = nullptr;  // none: JPG backgrounds are skipped
  TsPixelBudget& Budget;
};

// Visits every key of every section in order. The overlay makes entries only of plain
// ".BMP" names and of the bracketed syntax.
void AddImageEntries(const TsIniText& ini, bool overlay, const TsImageSources& sources, TsMaskArray& masks);

// JPG names: pictures above 899999 pixels become backgrounds, smaller ones textures. Every
// JPG of the overlay becomes a background.
void AddJpegBackgrounds(const TsIniText& ini, bool overlay, const TsImageSources& sources, TsMaskArray& masks,
                        TsPatternArray& patterns);

// The master bitmap named by [GLOBALINFO] "MASTERBITMAP", normalised and keyed with
// magenta; empty when the skin names none or the file is missing.
SkinBitmap LoadMasterBitmap(const TsIniText& ini, const TsSkinFiles& files, TsPixelBudget& budget);

}  // namespace klarvik
