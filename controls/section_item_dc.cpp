#include "controls/section_item_dc.h"

#include "paint/primitives/bitmap_ops.h"

namespace klarvik {

void PaintSectionItemToDC(HDC dc, const Rect& rect, const SectionPaint& paint, bool cornersFromParent) {
  if (dc == nullptr || rect.Empty() || rect.left < 0 || rect.top < 0) return;
  if (!paint.tables || !paint.tables->IsValidSectionIndex(paint.section)) return;
  const int width = rect.Width(), height = rect.Height();
  SkinBitmap item = CreateBitmap32(width, height);
  PaintSectionItem(item.View(), BoundsOf(width, height), paint, cornersFromParent);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as the picture's rows are
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, rect.left, rect.top, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                    static_cast<UINT>(height), item.pixels.data(), &info, DIB_RGB_COLORS);
}

}  // namespace klarvik
