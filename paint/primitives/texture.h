#pragma once
// Textures of section backgrounds: whole pictures tiled, image entries tiled or stretched
// by their tiling mode, and masked entries tiled through their mask.
#include "base/pixel_view.h"
#include "base/geometry.h"
#include "base/pixel.h"
#include "paint/primitives/parent_cache.h"
#include "skin/definition/skin_tables.h"

namespace klarvik {

// Tiling modes of a texture entry's FillMode.
enum TextureMode : int {
  kTileAll = 0,
  kStretchAll = 1,
  kTileTopRow = 2,
  kTileLeftColumn = 3,
  kStretchTopStrip = 4,
  kStretchLeftStrip = 5,
  kTileBottomRow = 6,
  kTileRightColumn = 7,
  kTileWholeRows = 10,
};

// Tiles the whole image over rect from its top-left, the last column and row cut.
void TileImage(PixelView canvas, const Rect& rect, const PixelView& image);

// The picture area an entry's texture is taken from: its first state image, or the whole
// of its own picture when its rectangle was left empty (small JPG textures).
Rect TextureSource(const TsMaskData& entry, const PixelView& image);

// Paints entry's texture into rect by `mode` and narrows rect to the part still uncovered
// (empty when all is covered). A texture of width or height 0 paints nothing; unknown
// modes paint nothing and leave rect as it was.
void TileTexture(PixelView canvas, Rect& rect, const TsMaskData& entry, int mode, const TsSkinTables& tables);

// Tiles a masked entry (its mask one state height below) over rect: every pixel is kept
// by the mask's channel, key-colour pixels take the parent's pixel. Mode 0 covers rect,
// the last tiles cut; mode 10 places whole tiles only and fills the strips right and
// below from the parent's picture when Ready, else with its FillColor. Other modes draw
// nothing.
void TileMaskedTexture(PixelView canvas, const Rect& rect, const TsMaskData& entry, const TsSkinTables& tables,
                       const TacParentCache& parent);

}  // namespace klarvik
