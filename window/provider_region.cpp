// The window's shape: the frame's corners that the skin leaves transparent (pure magenta
// in the first state image of the border masks) are cut out of the window.
#include "paint/primitives/mask_entry.h"
#include "win/handles.h"
#include "window/skin_provider.h"

namespace klarvik {

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

// Each horizontal run of magenta in `block` of the mask's picture becomes a one-pixel-high
// rectangle at `at` in window coordinates.
void AddMagentaRuns(const PixelView& picture, const Rect& block, Point at, std::vector<Rect>& cutouts) {
  const Rect inside = block.Intersect(BoundsOf(picture.width, picture.height));
  for (int y = inside.top; y < inside.bottom; ++y) {
    int x = inside.left;
    while (x < inside.right) {
      if ((picture.At(x, y) & 0xFFFFFF) != kMagenta) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < inside.right && (picture.At(x, y) & 0xFFFFFF) == kMagenta) ++x;
      const int left = at.x + start - block.left;
      const int top = at.y + y - block.top;
      cutouts.push_back(Rect{left, top, left + x - start, top + 1});
    }
  }
}

// The four corner blocks of a border mask: top ones at the window's top, bottom ones
// `height` − bottom border down; right ones at `width` − right border.
void AddCornerCutouts(const TsSkinTables& tables, const TsMaskData& mask, int width, int height, bool bottomToo,
                      std::vector<Rect>& cutouts) {
  if (EntryStateIndex(mask, 0) < 0) return;
  const PixelView picture = EntryImage(tables, mask);
  const Rect state = EntryStateRect(mask, 0);
  const int left = MarginLeft(mask), top = MarginTop(mask), right = MarginRight(mask), bottom = MarginBottom(mask);
  AddMagentaRuns(picture, Rect{state.left, state.top, state.left + left, state.top + top}, Point{0, 0}, cutouts);
  AddMagentaRuns(picture, Rect{state.right - right, state.top, state.right, state.top + top}, Point{width - right, 0},
                 cutouts);
  if (!bottomToo) return;
  AddMagentaRuns(picture, Rect{state.left, state.bottom - bottom, state.left + left, state.bottom},
                 Point{0, height - bottom}, cutouts);
  AddMagentaRuns(picture, Rect{state.right - right, state.bottom - bottom, state.right, state.bottom},
                 Point{width - right, height - bottom}, cutouts);
}

}  // namespace

void TsSkinProvider::BuildCornerCutouts() {
  cornerCutouts_.clear();
  const TsSkinTables& tables = *skinData_->Tables();
  const Rect window = WindowRect();
  if (tables.IsValidMaskIndex(skinData_->BorderMaskIndex)) {
    AddCornerCutouts(tables, tables.Masks[static_cast<std::size_t>(skinData_->BorderMaskIndex)], ImageWidth(),
                     window.Height(), true, cornerCutouts_);
  }
  const int title = TitleSection();
  if (CaptionHeight() > 0 && tables.IsValidSectionIndex(title)) {
    const int mask = tables.Sections[static_cast<std::size_t>(title)].BorderMaskIndex;
    if (tables.IsValidMaskIndex(mask))
      AddCornerCutouts(tables, tables.Masks[static_cast<std::size_t>(mask)], ImageWidth(), window.Height(), false,
                       cornerCutouts_);
  }
}

void TsSkinProvider::UpdateRegion(bool redraw) {
  if (!DrawNonClientArea || !WindowReady() || !SkinActive()) return;
  if (!HasBorder() && !WindowMinimized()) return;
  regionUpdating_ = true;
  HWND window = form_->Handle();
  const Rect bounds = WindowRect();
  const bool maximized = WindowMaximized();
  const std::vector<Rect> previous = cornerCutouts_;
  if (!maximized) BuildCornerCutouts();
  // The same shape again (a repaint after activation, say) needs no new region.
  const Rect shape = BoundsOf(bounds.Width(), bounds.Height());
  if (regionShape_ == shape && regionMaximized_ == maximized && previous == cornerCutouts_) {
    regionDirty_ = regionUpdating_ = false;
    return;
  }
  UniqueRegion region;
  if (maximized) {
    const int frame = FrameWidth();
    region.Reset(CreateRectRgn(frame, frame, bounds.Width() - frame, bounds.Height() - frame));
  } else {
    region.Reset(CreateRectRgn(0, 0, bounds.Width(), bounds.Height()));
    for (const Rect& cut : cornerCutouts_) {
      const UniqueRegion piece(CreateRectRgn(cut.left, cut.top, cut.right, cut.bottom));
      CombineRgn(region.Get(), region.Get(), piece.Get(), RGN_DIFF);
    }
  }
  // The system owns the region from here on: released, never deleted.
  if (region && SetWindowRgn(window, region.Get(), redraw ? TRUE : FALSE)) {
    region.Release();
    regionShape_ = shape;
    regionMaximized_ = maximized;
  }
  regionDirty_ = false;
  regionUpdating_ = false;
}

}  // namespace klarvik
