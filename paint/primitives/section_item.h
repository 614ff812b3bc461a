#pragma once
// A complete skinned surface: background, the section's four corner images, its border.
#include <cstdint>

#include "base/pixel_view.h"
#include "base/geometry.h"
#include "base/pixel.h"
#include "paint/primitives/parent_cache.h"
#include "paint/primitives/section_background.h"
#include "skin/definition/skin_tables.h"

namespace klarvik {

// What a control's skin data tells the painters; implemented by the per-control skin
// data of the skinned controls and by a form's provider.
class ControlSkinSource {
 public:
  virtual ~ControlSkinSource() = default;
  virtual const TsSkinTables* Tables() const = 0;
  virtual int SectionIndex() const = 0;
  virtual int PatternIndex() const = 0;
  virtual int HotPatternIndex() const = 0;
  // The control's own colour when it paints with it, else kKeyColor.
  virtual TColor OwnColor() const = 0;
  virtual int HueOffset() const = 0;   // degrees
  virtual int Saturation() const = 0;  // percent
};

// Background, corner images and border of a section over rect. Nothing without a valid
// section or when rect is empty or does not lie inside the bitmap.
void PaintSectionItem(PixelView bitmap, const Rect& rect, const SectionPaint& paint, bool cornersFromParent);

// The background of a control with its own colour and patterns.
void PaintControlBackground(PixelView bitmap, const Rect& rect, const ControlSkinSource& control,
                            const TacParentCache& parent, Point offset, int state);

// The item of a control, then its own hue and saturation over the whole bitmap.
void PaintControlItem(PixelView bitmap, const Rect& rect, const ControlSkinSource& control, const TacParentCache& parent,
                      Point offset, int state, bool cornersFromParent);

}  // namespace klarvik
