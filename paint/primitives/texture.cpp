#include "paint/primitives/texture.h"

#include <algorithm>

#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/border_mask.h"
#include "paint/primitives/mask_entry.h"

namespace klarvik {

namespace {

// The first position of a run of steps from `origin` whose step ends past `from`.
int FirstStepReaching(int origin, int step, int from) {
  return from <= origin ? origin : static_cast<int>(origin + static_cast<long long>(from - origin) / step * step);
}

// Places tile after tile of size (tw, th) from (x0, y0) while a tile starts inside
// [.., right) × [.., bottom); each is cut to the limits. Tiles that lie wholly outside the
// canvas are skipped, so an area reaching far past it costs only what shows. Sizes of 0
// are never tiled.
template <typename Put>
void Tiles(const PixelView& canvas, int x0, int y0, int right, int bottom, int tw, int th, Put put) {
  if (tw <= 0 || th <= 0) return;
  const int lastY = std::min(bottom, canvas.height), lastX = std::min(right, canvas.width);
  for (int y = FirstStepReaching(y0, th, 0); y < lastY; y += th) {
    for (int x = FirstStepReaching(x0, tw, 0); x < lastX; x += tw) put(x, y, std::min(tw, right - x), std::min(th, bottom - y));
  }
}

void CopyTiles(PixelView canvas, const Rect& area, const PixelView& src, const Rect& tex) {
  Tiles(canvas, area.left, area.top, area.right, area.bottom, tex.Width(), tex.Height(), [&](int x, int y, int w, int h) {
    CopyRect(canvas, x, y, src, {tex.left, tex.top, tex.left + w, tex.top + h});
  });
}

// The parent behind a strip: its picture when Ready, else its colour, opaque.
void FillFromParent(PixelView canvas, const Rect& strip, const TacParentCache& parent) {
  if (strip.Empty()) return;
  FillRect32(canvas, strip, parent.FillColor, 255);
  if (parent.HasImage()) CopyRect(canvas, strip.left, strip.top, parent.Image, strip.Offset(parent.OffsetX, parent.OffsetY));
}

}  // namespace

void TileImage(PixelView canvas, const Rect& rect, const PixelView& image) {
  if (image.Empty() || rect.Intersect(BoundsOf(canvas.width, canvas.height)).Empty()) return;
  CopyTiles(canvas, rect, image, BoundsOf(image.width, image.height));
}

Rect TextureSource(const TsMaskData& entry, const PixelView& image) {
  const Rect& r = entry.SourceRect;
  if (entry.Bitmap != nullptr && (r.Width() <= 0 || r.Height() <= 0)) return BoundsOf(image.width, image.height);
  const int index = EntryStateIndex(entry, 0);
  if (index < 0) return {};
  return EntryStateRect(entry, index).Intersect(BoundsOf(image.width, image.height));
}

void TileTexture(PixelView canvas, Rect& rect, const TsMaskData& entry, int mode, const TsSkinTables& tables) {
  const PixelView src = EntryImage(tables, entry);
  const Rect tex = TextureSource(entry, src);
  if (src.Empty() || tex.Empty() || rect.Empty()) return;
  const int tw = tex.Width(), th = tex.Height();
  const Rect r = rect;
  switch (mode) {
    case kTileAll:
      CopyTiles(canvas, r, src, tex);
      rect = {};
      break;
    case kStretchAll:
      StretchRect(canvas, r, src, tex);
      rect = {};
      break;
    case kTileTopRow:
      CopyTiles(canvas, {r.left, r.top, r.right, std::min(r.top + th, r.bottom)}, src, tex);
      rect.top = std::min(r.top + th, r.bottom);
      break;
    case kTileLeftColumn:
      CopyTiles(canvas, {r.left, r.top, std::min(r.left + tw, r.right), r.bottom}, src, tex);
      rect.left = std::min(r.left + tw, r.right);
      break;
    case kStretchTopStrip:
      StretchRect(canvas, {r.left, r.top, r.right, std::min(r.top + th, r.bottom)}, src, tex);
      rect.top = std::min(r.top + th, r.bottom);
      break;
    case kStretchLeftStrip:
      StretchRect(canvas, {r.left, r.top, std::min(r.left + tw, r.right), r.bottom}, src, tex);
      rect.left = std::min(r.left + tw, r.right);
      break;
    case kTileBottomRow:
      CopyTiles(canvas, {r.left, std::max(r.bottom - th, r.top), r.right, r.bottom}, src, tex);
      rect.bottom = std::max(r.bottom - th, r.top);
      break;
    case kTileRightColumn:
      CopyTiles(canvas, {std::max(r.right - tw, r.left), r.top, r.right, r.bottom}, src, tex);
      rect.right = std::max(r.right - tw, r.left);
      break;
    case kTileWholeRows:
      // Whole-height rows only, each starting above bottom − tile height (so an exact
      // fit leaves its last row to the background); the last column is cut at the right.
      for (int y = FirstStepReaching(r.top, th, 0); y < r.bottom - th && y < canvas.height; y += th) {
        CopyTiles(canvas, {r.left, y, r.right, y + th}, src, tex);
      }
      rect = {};
      break;
    default:
      break;
  }
}

void TileMaskedTexture(PixelView canvas, const Rect& rect, const TsMaskData& entry, const TsSkinTables& tables,
                       const TacParentCache& parent) {
  if (!EntryHasMask(entry) || rect.Empty()) return;
  const PixelView src = EntryImage(tables, entry);
  const int index = EntryStateIndex(entry, 0);
  if (src.Empty() || index < 0) return;
  const Rect tex = EntryStateRect(entry, index);
  const int tw = tex.Width(), th = tex.Height(), maskOffset = StateHeight(entry);
  if (tw <= 0 || th <= 0) return;
  auto put = [&](int x, int y, int w, int h) {
    BlitMaskedPiece(canvas, {x, y}, {tex.left, tex.top, tex.left + w, tex.top + h}, maskOffset, parent.Ready, parent, src);
  };
  if (entry.FillMode == kTileAll) {
    Tiles(canvas, rect.left, rect.top, rect.right, rect.bottom, tw, th, put);
  } else if (entry.FillMode == kTileWholeRows) {
    const int columns = rect.Width() / tw, rows = rect.Height() / th;
    const int right = rect.left + columns * tw, bottom = rect.top + rows * th;
    Tiles(canvas, rect.left, rect.top, right, bottom, tw, th, put);
    FillFromParent(canvas, {rect.left, bottom, rect.right, rect.bottom}, parent);
    FillFromParent(canvas, {right, rect.top, rect.right, bottom}, parent);
  }
}

}  // namespace klarvik
