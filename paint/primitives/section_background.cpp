#include "paint/primitives/section_background.h"

#include <algorithm>

#include "base/colors.h"
#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/blend.h"
#include "paint/primitives/gradient.h"
#include "paint/primitives/mask_entry.h"
#include "paint/primitives/texture.h"

namespace klarvik {

namespace {

// The layers one state of a section paints.
struct Layers {
  TColor color{0};
  int transparency = 0;
  int imagePercent = 0;
  int gradientPercent = 0;
  const TsMaskData* texture = nullptr;   // an image entry without a mask
  const TsMaskData* masked = nullptr;    // an image entry with a mask
  SkinBitmap image;                      // a large background picture, drawn out
  const TsGradArray* gradient = nullptr;

  bool HasTexture() const { return texture || masked || !image.Empty(); }
};

const TsMaskData* ValidMask(const TsSkinTables& t, int index) {
  return t.IsValidMaskIndex(index) ? &t.Masks[static_cast<std::size_t>(index)] : nullptr;
}

Layers ChooseLayers(const SectionPaint& p, const TsGeneralData& section, TColor customColor) {
  const TsSkinTables& t = *p.tables;
  const TsGenState& st = section.StateProps[static_cast<std::size_t>(SectionStateIndex(section, p.state))];
  Layers l;
  if (customColor != kKeyColor) {
    l.color = t.ColorRef(customColor);
    return l;
  }
  l.color = t.ColorRef(st.Color);
  l.transparency = std::clamp(st.Transparency, 0, 100);
  if (l.transparency == 100) return l;
  l.imagePercent = std::clamp(st.ImagePercent, 0, 100);
  // The gradient never takes more than what the texture leaves.
  l.gradientPercent = std::clamp(st.GradientPercent, 0, 100 - l.imagePercent);
  if (l.imagePercent > 0) {
    const TsMaskData* chosen = ValidMask(t, p.pattern);
    if (chosen == nullptr) chosen = SectionEntry(t, p.section, st.TextureIndex);
    if (chosen == nullptr) chosen = SectionEntry(t, p.section, section.TextureIndex);
    if (chosen && chosen->MaskKind != 0) {
      l.masked = chosen;
    } else if (chosen) {
      l.texture = chosen;
    } else {
      const int pattern = t.IndexOfPattern(p.section, section.SectionName, "PATTERN");
      if (pattern >= 0 && t.Patterns[static_cast<std::size_t>(pattern)].Image) {
        l.image = t.Patterns[static_cast<std::size_t>(pattern)].Image->ToBitmap();
      }
    }
    if (!l.HasTexture()) l.imagePercent = 0;  // nothing to tile: the colour takes its share
  }
  if (l.gradientPercent > 0 && st.GradientArray && !st.GradientArray->empty()) l.gradient = st.GradientArray.get();
  return l;
}

// Gradient, or the plain colour when the section has no gradient steps.
void PaintGradientOrColor(PixelView v, const Rect& r, const Layers& l) {
  if (l.gradient) {
    PaintGradient(v, r, *l.gradient);
  } else {
    FillRect32(v, r, l.color, 255);
  }
}

// texture × IMAGEPERCENT + gradient × GRADIENTPERCENT + colour × the rest, into r. The
// layers are laid out on the whole of r, which may reach past v; only v is written.
void PaintLayers(PixelView v, const Rect& r, const Layers& l, const TsSkinTables& t, const TacParentCache& parent) {
  const Rect visible = r.Intersect(BoundsOf(v.width, v.height));
  if (visible.Empty()) return;
  const int img = l.imagePercent, grad = l.gradientPercent;
  if (img + grad == 100 && grad > 0 && grad < 100 && l.texture && l.texture->FillMode == kTileAll && l.gradient &&
      DirectionOf(*l.gradient) != kGradientTriangles) {
    const PixelView src = EntryImage(t, *l.texture);
    PaintGradientTexture(v, r, *l.gradient, img * 255 / 100, TextureSource(*l.texture, src), src);
    return;
  }
  bool textured = false;
  if (img > 0) {
    FillRect32(v, r, l.color, 255);
    if (!l.image.Empty()) {
      TileImage(v, r, ConstView(l.image));
      SetRectAlpha(v, r, 255, clNone);  // a decoded JPG carries no alpha
    } else if (l.masked) {
      TileMaskedTexture(v, r, *l.masked, t, parent);
    } else {
      Rect rest = r;
      TileTexture(v, rest, *l.texture, l.texture->FillMode, t);
    }
    textured = true;
  }
  if (grad > 0) {
    if (textured) {
      // The texture keeps its share of the two, so that after the fade below texture,
      // gradient and colour end in their own percentages.
      SkinBitmap layer = CreateBitmap32(visible.Width(), visible.Height());
      PaintGradientOrColor(layer.View(), r.Offset(-visible.left, -visible.top), l);
      BlendBitmapRect(v, ConstView(layer), img * 255 / (img + grad), {visible.left, visible.top},
                      BoundsOf(visible.Width(), visible.Height()));
    } else {
      PaintGradientOrColor(v, r, l);
    }
  }
  if (img + grad == 0) {
    FillRect32(v, r, l.color, 255);
  } else if (img + grad < 100) {
    FadeRectToColor(v, r, img + grad, l.color);
  }
}

// The parent's background over r: its finished picture when the cache is Ready, else
// FillColor; with bordersOnly, the parent's border strips come from its picture, ready or
// not.
void PaintParent(PixelView v, const Rect& r, const TacParentCache& parent, bool bordersOnly) {
  FillRect32(v, r, parent.FillColor, 255);
  if (parent.Image.Empty()) return;
  if (!bordersOnly) {
    if (parent.Ready) CopyRect(v, r.left, r.top, parent.Image, r.Offset(parent.OffsetX, parent.OffsetY));
    return;
  }
  const int w = parent.Image.width, h = parent.Image.height;
  const Rect strips[] = {
      {0, 0, w, parent.BorderTop},
      {0, h - parent.BorderBottom, w, h},
      {0, 0, parent.BorderLeft, h},
      {w - parent.BorderRight, 0, w, h},
  };
  const Rect area = r.Offset(parent.OffsetX, parent.OffsetY);
  for (const Rect& s : strips) {
    const Rect part = s.Intersect(area);
    if (!part.Empty()) CopyRect(v, part.left - parent.OffsetX, part.top - parent.OffsetY, parent.Image, part);
  }
}

// The layers painted apart and laid over the parent with k = nearest(transparency × 2.55):
// laid out on the whole of r, painted for the part inside v.
void PaintOverParent(PixelView v, const Rect& r, const Layers& l, const TsSkinTables& t, const TacParentCache& parent) {
  const Rect visible = r.Intersect(BoundsOf(v.width, v.height));
  if (visible.Empty()) return;
  SkinBitmap layer = CreateBitmap32(visible.Width(), visible.Height());
  TacParentCache shifted = parent;
  shifted.OffsetX += visible.left;
  shifted.OffsetY += visible.top;
  PaintLayers(layer.View(), r.Offset(-visible.left, -visible.top), l, t, shifted);
  PaintParent(v, visible, parent, false);
  BlendBitmapRect(v, ConstView(layer), (l.transparency * 255 + 50) / 100, {visible.left, visible.top},
                  BoundsOf(visible.Width(), visible.Height()));
}

}  // namespace

TacParentCache ParentForPaint(const SectionPaint& paint) {
  TacParentCache parent = paint.parent;
  parent.OffsetX += paint.offset.x;
  parent.OffsetY += paint.offset.y;
  if (paint.tables != nullptr) parent.FillColor = paint.tables->ColorRef(parent.FillColor);
  return parent;
}

int SectionStateIndex(const TsGeneralData& section, int state) {
  return std::clamp(std::min(state, section.States - 1), 0, 1);
}

void PaintSectionBackground(PixelView bitmap, const Rect& rect, const SectionPaint& paint, TColor customColor) {
  if (paint.tables == nullptr || !paint.tables->IsValidSectionIndex(paint.section) || bitmap.Empty()) return;
  // Gradients and tiles are laid out on the whole rectangle; the bitmap clips the writes.
  const Rect visible = rect.Intersect(BoundsOf(bitmap.width, bitmap.height));
  if (visible.Empty()) return;
  const TsSkinTables& t = *paint.tables;
  const TsGeneralData& section = t.Sections[static_cast<std::size_t>(paint.section)];
  const Layers l = ChooseLayers(paint, section, customColor);
  const TacParentCache parent = ParentForPaint(paint);

  const bool parentKnown = parent.Ready || parent.FillColor != kKeyColor;
  if (!parentKnown || l.transparency == 0) {
    PaintLayers(bitmap, rect, l, t, parent);
  } else if (l.transparency == 100) {
    PaintParent(bitmap, visible, parent, !parent.HasImage());
  } else if (l.HasTexture() || l.gradient || parent.Ready) {
    PaintOverParent(bitmap, rect, l, t, parent);
  } else {
    // Only a colour over a parent known by its colour: one mixed colour.
    FillRect32(bitmap, visible, MixColorsPercent(parent.FillColor, l.color, l.transparency), 255);
  }

  // State 0 may lay a masked pattern of tiling mode 10 over the finished background.
  if (paint.state <= 0) {
    const TsMaskData* overlay = ValidMask(t, paint.pattern >= 0 ? paint.pattern : paint.hotPattern);
    if (overlay && overlay->MaskKind != 0 && overlay->FillMode == kTileWholeRows) TileMaskedTexture(bitmap, rect, *overlay, t, parent);
  }
}

}  // namespace klarvik
