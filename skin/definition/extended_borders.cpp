#include "skin/definition/extended_borders.h"

#include <algorithm>

#include "skin/image/pixel_rules.h"

namespace klarvik {

namespace {

// One state image of the entry, as a picture of its own.
SkinBitmap StateImage(const TsSkinTables& tables, const TsMaskData& entry, int state) {
  const SkinBitmap& source = tables.ImageOf(entry);
  const int width = StateWidth(entry), height = StateHeight(entry);
  SkinBitmap image;
  if (width <= 0 || height <= 0) return image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  const int left = entry.SourceRect.left + state * width, top = entry.SourceRect.top;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int sx = left + x, sy = top + y;
      if (sx < 0 || sy < 0 || sx >= source.width || sy >= source.height) continue;
      image.pixels[static_cast<std::size_t>(y) * width + x] = source.pixels[static_cast<std::size_t>(sy) * source.width + sx];
    }
  }
  return image;
}

}  // namespace

ExtendedBorderImages ComputeExtendedBorders(const TsSkinTables& tables, const SkinBitmap& builtInActive,
                                            const SkinBitmap& builtInInactive) {
  ExtendedBorderImages borders;
  const int entryIndex = tables.Cached.ExBorder;
  if (!tables.IsValidMaskIndex(entryIndex)) {
    borders.active = builtInActive;
    borders.inactive = builtInInactive;
    borders.left = borders.top = borders.right = borders.bottom = kBuiltInShadowMargin;
    return borders;
  }
  const TsMaskData& entry = tables.Masks[static_cast<std::size_t>(entryIndex)];
  const int offset = tables.SkinData.FormOffset;
  if (tables.SkinData.BorderMode != 0) {
    borders.left = borders.top = borders.right = borders.bottom = std::max(0, offset);
  } else {
    // A skin whose form offset outgrows its border would otherwise reach inward.
    borders.left = std::max(0, entry.BorderLeft - offset);
    borders.top = std::max(0, entry.BorderTop - offset);
    borders.right = std::max(0, entry.BorderRight - offset);
    borders.bottom = std::max(0, entry.BorderBottom - offset);
  }
  borders.inactive = StateImage(tables, entry, 0);
  borders.active = entry.StateCount > 1 ? StateImage(tables, entry, 1) : borders.inactive;
  if (tables.SkinData.Version < 7.6) {
    ClearTransparentWhite(borders.inactive.View());
    ClearTransparentWhite(borders.active.View());
  }
  return borders;
}

}  // namespace klarvik
