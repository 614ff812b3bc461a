#include "paint/primitives/section_item.h"

#include <algorithm>

#include "base/colors.h"
#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/border_mask.h"
#include "paint/primitives/glyph.h"
#include "paint/primitives/mask_entry.h"

namespace klarvik {

namespace {

enum class Painted { kNothing, kWithoutBorder, kWithBorder };

// Paints background, corners and border.
Painted PaintItem(PixelView bitmap, const Rect& rect, const SectionPaint& paint, bool cornersFromParent,
               TColor customColor) {
  if (paint.tables == nullptr || bitmap.Empty() || rect.Empty()) return Painted::kNothing;
  if (!BoundsOf(bitmap.width, bitmap.height).Contains(rect) || !paint.tables->IsValidSectionIndex(paint.section)) {
    return Painted::kNothing;
  }
  const TsSkinTables& t = *paint.tables;
  const TsGeneralData& section = t.Sections[static_cast<std::size_t>(paint.section)];
  SectionPaint p = paint;
  p.state = std::min(paint.state, section.States - 1);
  PaintSectionBackground(bitmap, rect, p, customColor);

  // Corner images: their key-colour pixels leave the background just painted.
  TacParentCache itself;
  itself.Image = bitmap;
  itself.Ready = true;
  itself.FillColor = kKeyColor;
  for (int corner = 0; corner < 4; ++corner) {
    const TsMaskData* glyph = SectionEntry(t, paint.section, section.CornerIndexes[static_cast<std::size_t>(corner)]);
    if (glyph == nullptr) continue;
    const int gw = StateWidth(*glyph), gh = StateHeight(*glyph);
    const bool right = corner == 1 || corner == 3, bottom = corner >= 2;
    const Point at{right ? rect.right - gw : rect.left, bottom ? rect.bottom - gh : rect.top};
    DrawMaskGlyph(bitmap, at, p.state, itself, *glyph, kGlyphNormal, &t);
  }

  const TsMaskData* border = SectionEntry(t, paint.section, section.BorderMaskIndex);
  if (border == nullptr || (p.state == 0 && (border->FillMode & kFillNoStateZero) != 0)) return Painted::kWithoutBorder;
  DrawBorderMask(bitmap, rect, ParentForPaint(paint), cornersFromParent, p.state, *border, &t);
  return Painted::kWithBorder;
}

SectionPaint ControlPaint(const ControlSkinSource& control, const TacParentCache& parent, Point offset, int state) {
  SectionPaint p;
  p.tables = control.Tables();
  p.section = control.SectionIndex();
  p.parent = parent;
  p.pattern = control.PatternIndex();
  p.hotPattern = control.HotPatternIndex();
  p.offset = offset;
  p.state = state;
  return p;
}

std::uint32_t HueFilter(std::uint32_t pixel, int degrees) { return ChangeHue(pixel, degrees); }
std::uint32_t SaturationFilter(std::uint32_t pixel, int percent) { return ChangeSaturation(pixel, percent); }

}  // namespace

void PaintSectionItem(PixelView bitmap, const Rect& rect, const SectionPaint& paint, bool cornersFromParent) {
  PaintItem(bitmap, rect, paint, cornersFromParent, kKeyColor);
}

void PaintControlBackground(PixelView bitmap, const Rect& rect, const ControlSkinSource& control,
                            const TacParentCache& parent, Point offset, int state) {
  SectionPaint p = ControlPaint(control, parent, offset, state);
  if (p.tables && p.tables->IsValidSectionIndex(p.section)) {
    p.state = std::min(state, p.tables->Sections[static_cast<std::size_t>(p.section)].States - 1);
  }
  PaintSectionBackground(bitmap, rect, p, control.OwnColor());
}

void PaintControlItem(PixelView bitmap, const Rect& rect, const ControlSkinSource& control, const TacParentCache& parent,
                      Point offset, int state, bool cornersFromParent) {
  const SectionPaint p = ControlPaint(control, parent, offset, state);
  const Painted painted = PaintItem(bitmap, rect, p, cornersFromParent, control.OwnColor());
  if (painted == Painted::kNothing) return;
  if (painted == Painted::kWithoutBorder) {
    // Without a usable border a see-through control stops at its background.
    const TsGeneralData& section = p.tables->Sections[static_cast<std::size_t>(p.section)];
    const int s = SectionStateIndex(section, state);
    if (section.StateProps[static_cast<std::size_t>(s)].Transparency != 0) return;
  }
  if (control.HueOffset() != 0) ApplyPixelFilter(bitmap, HueFilter, control.HueOffset(), kKeyColor);
  if (control.Saturation() != 0) ApplyPixelFilter(bitmap, SaturationFilter, control.Saturation(), kKeyColor);
}

}  // namespace klarvik
