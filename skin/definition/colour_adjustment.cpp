#include "skin/definition/colour_adjustment.h"

#include <array>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "base/colors.h"
#include "base/pixel.h"
#include "base/pixel_filter.h"

namespace klarvik {

namespace {

constexpr std::string_view kGlobal = "GLOBALINFO";

// Caption buttons whose pictures keep their hue when BIKEEPHUE is set: the close buttons
// always, the others only when it is exactly 1.
constexpr std::array<std::string_view, 3> kCloseButtons = {"BICONCLOSE", "BICLOSEALONE", "SICONCLOSE"};
constexpr std::array<std::string_view, 7> kOtherButtons = {"BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP",
                                                           "SICONMAX", "SICONMIN", "SICONNORM"};
// Palette entries that follow the skin's colours; the others keep theirs.
constexpr std::array<int, 14> kShiftedPalette = {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 27};

std::uint32_t HueFilter(std::uint32_t pixel, int degrees) { return ChangeHue(pixel, degrees); }
std::uint32_t SaturationFilter(std::uint32_t pixel, int percent) { return ChangeSaturation(pixel, percent); }

struct Shift {
  PixelFilter filter;
  int value;

  TColor operator()(TColor colour) const {
    if (IsSystemColor(colour)) return colour;
    const std::uint32_t high = static_cast<std::uint32_t>(colour) & 0xFF000000u;
    return static_cast<TColor>(high | static_cast<std::uint32_t>(PixelToColor(filter(ColorToPixel(colour, 0), value))));
  }
  void Colour(TColor& colour) const { colour = (*this)(colour); }
  void Colours(std::array<TColor, 5>& colours) const {
    for (TColor& colour : colours) Colour(colour);
  }
  void Picture(SkinBitmap& bitmap) const { ApplyPixelFilter(bitmap.View(), filter, value, kKeyColor); }
};

// What keeps its hue: rectangles of the master bitmap, and pictures of their own.
struct KeptHue {
  std::vector<Rect> masterRects;
  std::unordered_set<const SkinBitmap*> pictures;
};

KeptHue GlowExclusions(const TsSkinTables& tables) {
  KeptHue kept;
  const int keepHue = tables.SkinData.BIKeepHue;
  if (keepHue < 1) return kept;
  auto keep = [&](std::string_view key) {
    const int index = tables.IndexOfMaskDirect(kGlobal, key);
    if (tables.IsValidMaskIndex(index)) {
      const TsMaskData& mask = tables.Masks[static_cast<std::size_t>(index)];
      if (mask.Bitmap == nullptr) {
        kept.masterRects.push_back(mask.SourceRect);
      } else {
        kept.pictures.insert(mask.Bitmap.get());
      }
    }
    const int glow = tables.IndexOfMaskDirect(kGlobal, std::string(key).append("GLOW0"));
    if (tables.IsValidMaskIndex(glow) && tables.Masks[static_cast<std::size_t>(glow)].Bitmap != nullptr) {
      kept.pictures.insert(tables.Masks[static_cast<std::size_t>(glow)].Bitmap.get());
    }
  };
  for (std::string_view key : kCloseButtons) keep(key);
  if (keepHue == 1) {
    for (std::string_view key : kOtherButtons) keep(key);
  }
  return kept;
}

void ShiftMaster(SkinBitmap& master, const Shift& shift, const std::vector<Rect>& keptRects) {
  if (keptRects.empty()) {
    shift.Picture(master);
    return;
  }
  const std::vector<std::uint32_t> original = master.pixels;
  shift.Picture(master);
  const Rect whole = BoundsOf(master.width, master.height);
  for (const Rect& kept : keptRects) {
    const Rect r = kept.Intersect(whole);
    for (int y = r.top; y < r.bottom; ++y) {
      const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(master.width);
      for (int x = r.left; x < r.right; ++x) master.pixels[row + static_cast<std::size_t>(x)] = original[row + static_cast<std::size_t>(x)];
    }
  }
}

void ShiftSections(TsGeneralDataArray& sections, const Shift& shift) {
  // Sections and their state records share gradient arrays; each array turns once.
  std::unordered_set<const TsGradArray*> shiftedGradients;
  auto gradient = [&](const TsGradArrayRef& steps) {
    if (steps == nullptr || !shiftedGradients.insert(steps.get()).second) return;
    for (TsGradStep& step : *steps) {
      shift.Colour(step.Color1);
      shift.Colour(step.Color2);
    }
  };
  for (TsGeneralData& record : sections) {
    shift.Colour(record.Color);
    shift.Colour(record.HotColor);
    shift.Colour(record.GlowColor);
    shift.Colour(record.HotGlowColor);
    shift.Colours(record.FontColors);
    shift.Colours(record.HotFontColors);
    gradient(record.GradientArray);
    gradient(record.HotGradientArray);
    for (TsGenState& state : record.StateProps) {
      shift.Colour(state.Color);
      shift.Colour(state.GlowColor);
      shift.Colours(state.FontColors);
      gradient(state.GradientArray);
    }
  }
}

void ShiftSkin(TsSkinTables& tables, const Shift& shift, const KeptHue& kept) {
  ShiftMaster(*tables.MasterBitmap, shift, kept.masterRects);
  // Entries may share one picture, and the master bitmap is not theirs to shift again.
  std::unordered_set<const SkinBitmap*> shiftedPictures = kept.pictures;
  shiftedPictures.insert(tables.MasterBitmap.get());
  for (TsMaskData& mask : tables.Masks) {
    if (mask.Bitmap != nullptr && shiftedPictures.insert(mask.Bitmap.get()).second) shift.Picture(*mask.Bitmap);
  }
  ShiftSections(tables.Sections, shift);
  shift.Colour(tables.SkinData.Shadow1Color);
  for (int index : kShiftedPalette) shift.Colour(tables.Palette[static_cast<std::size_t>(index)]);
}

}  // namespace

void AdjustSkinColours(TsSkinTables& tables, int hueOffset, int saturation) {
  if (hueOffset != 0) ShiftSkin(tables, Shift{HueFilter, hueOffset}, GlowExclusions(tables));
  const int percent = saturation % 101;
  if (percent != 0) ShiftSkin(tables, Shift{SaturationFilter, percent}, KeptHue{});
}

}  // namespace klarvik
