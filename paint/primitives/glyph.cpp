#include "paint/primitives/glyph.h"

#include <algorithm>

#include "paint/primitives/alpha_image.h"
#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/blend.h"
#include "paint/primitives/border_mask.h"
#include "paint/primitives/mask_entry.h"

namespace klarvik {

void BlitGlyphWithMask(PixelView dst, Point at, const Rect& srcRect, int maskOffset, int mode, const PixelView& src) {
  if (maskOffset <= 0) {
    AlphaImageOptions o;
    o.key = kKeyColor;
    CopyAlphaImage({at.x, at.y, at.x + srcRect.Width(), at.y + srcRect.Height()}, srcRect, dst, o, src);
    return;
  }
  const BlitArea a = ClipBlit(dst, at.x, at.y, src, srcRect);
  for (int row = 0; row < a.height; ++row) {
    const int my = a.sy + row + maskOffset;
    if (my >= src.height) break;
    std::uint32_t* d = &dst.At(a.dx, a.dy + row);
    const std::uint32_t* s = &src.At(a.sx, a.sy + row);
    const std::uint32_t* m = &src.At(a.sx, my);
    for (int i = 0; i < a.width; ++i) {
      const int mr = static_cast<int>((m[i] >> 16) & 0xFF);
      if (IsKeyPixel(s[i]) || mr == 255) continue;
      const int k = mode == kGlyphNormal ? mr : std::min(mr + 100, 255);
      const int da = static_cast<int>(d[i] >> 24);
      std::uint32_t out = static_cast<std::uint32_t>(da + (((255 - da) * (255 - mr)) >> 8)) << 24;
      for (int shift = 0; shift < 24; shift += 8) {
        out |= static_cast<std::uint32_t>(KeepChannel((d[i] >> shift) & 0xFF, (s[i] >> shift) & 0xFF, k)) << shift;
      }
      d[i] = out;
    }
  }
}

void DrawMaskGlyph(PixelView dst, Point at, int state, const TacParentCache& cache, const TsMaskData& entry, int mode,
                   const TsSkinTables* tables) {
  if (tables == nullptr || dst.Empty()) return;
  const int index = EntryStateIndex(entry, state);
  if (index < 0) return;
  const PixelView src = EntryImage(*tables, entry);
  Rect piece = EntryStateRect(entry, index);
  if (src.Empty() || piece.Empty()) return;
  // Negative coordinates clip the glyph's left and top away.
  piece.left += std::max(-at.x, 0);
  piece.top += std::max(-at.y, 0);
  at = {std::max(at.x, 0), std::max(at.y, 0)};
  if (piece.Empty()) return;
  const int maskOffset = EntryHasMask(entry) ? StateHeight(entry) : 0;

  if (entry.Bitmap != nullptr) {
    const Rect whole = BoundsOf(src.width, src.height);
    const Rect& r = entry.SourceRect;
    if (!whole.Contains({r.left, r.top, r.right, r.bottom})) return;
    BlitGlyphWithMask(dst, at, piece, maskOffset, mode, src);
  } else if (maskOffset > 0) {
    BlitGlyphWithMask(dst, at, piece, maskOffset, mode, src);
  } else if (mode == kGlyphNormal) {
    BlitKeyedPiece(dst, src, at.x, at.y, true, cache, kKeyColor, piece);
  } else {
    BlendKeyedImage(dst, at.x, at.y, kKeyColor, 0.5, piece, src);
  }
}

}  // namespace klarvik
