#include "paint/primitives/corners.h"

#include "paint/primitives/alpha_image.h"
#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/border_mask.h"
#include "paint/primitives/mask_entry.h"

namespace klarvik {

void RefreshCornersFromParent(PixelView cached, int state, int corners, const TsMaskData& border,
                              const TacParentCache& parent, const TsSkinTables* tables) {
  if (tables == nullptr || cached.Empty()) return;
  const int index = EntryStateIndex(border, state);
  if (index < 0) return;
  const PixelView src = EntryImage(*tables, border);
  if (src.Empty()) return;
  const Rect s = EntryStateRect(border, index);
  const BorderWidths b = FitBorderWidths({border.BorderLeft, border.BorderTop, border.BorderRight, border.BorderBottom},
                                         cached.width, cached.height);
  const bool masked = EntryHasMask(border);
  const bool alphaImage = border.Bitmap != nullptr && !masked;

  struct Corner {
    int bit, dx, dy, sx, sy, w, h;
  };
  const Corner all[] = {
      {kCornerTopLeft, 0, 0, s.left, s.top, b.left, b.top},
      {kCornerBottomLeft, 0, cached.height - b.bottom, s.left, s.bottom - b.bottom, b.left, b.bottom},
      {kCornerTopRight, cached.width - b.right, 0, s.right - b.right, s.top, b.right, b.top},
      {kCornerBottomRight, cached.width - b.right, cached.height - b.bottom, s.right - b.right, s.bottom - b.bottom, b.right,
       b.bottom},
  };
  for (const Corner& c : all) {
    if ((corners & c.bit) == 0 || c.w <= 0 || c.h <= 0) continue;
    const Rect piece{c.sx, c.sy, c.sx + c.w, c.sy + c.h};
    if (parent.HasImage()) {
      CopyRect(cached, c.dx, c.dy, parent.Image, Rect{c.dx, c.dy, c.dx + c.w, c.dy + c.h}.Offset(parent.OffsetX, parent.OffsetY));
    }
    if (alphaImage) {
      AlphaImageOptions o;
      o.key = kKeyColor;
      o.useParent = true;
      o.parent = parent;
      CopyAlphaImage({c.dx, c.dy, c.dx + c.w, c.dy + c.h}, piece, cached, o, src);
    } else if (masked) {
      BlitMaskedPiece(cached, {c.dx, c.dy}, piece, s.Height(), true, parent, src);
    } else {
      BlitKeyedPiece(cached, src, c.dx, c.dy, true, parent, kKeyColor, piece);
    }
  }
}

}  // namespace klarvik
