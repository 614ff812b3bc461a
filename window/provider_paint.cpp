// Painting the window from the form image: the frame on WM_NCPAINT, the client
// background on erase and paint, and whole-window printing.
#include "runtime/menus.h"
#include "skin/manager/skin_broadcast.h"
#include "win/handles.h"
#include "window/skin_provider.h"

namespace klarvik {

namespace {

// The client part of the image, as far as the device context's clipping lets it show.
void CopyClientPart(TBitmap* image, HDC dc, int offsetX, int offsetY, const Rect& client) {
  if (!image || image->Empty()) return;
  RECT clip{};
  Rect area = client;
  const int clipKind = GetClipBox(dc, &clip);
  if (clipKind != NULLREGION && clipKind != ERROR) area = area.Intersect(FromRECT(clip));
  if (area.Empty()) return;
  BitBlt(dc, area.left, area.top, area.Width(), area.Height(), image->Canvas().Handle(), offsetX + area.left,
         offsetY + area.top, SRCCOPY);
}

}  // namespace

void TsSkinProvider::FillPlainBackground(HDC dc, const Rect& client) {
  const UniqueBrush brush(CreateSolidBrush(ColorToRGB(PlainColor())));
  const RECT area = ToRECT(client);
  FillRect(dc, &area, brush.Get());
}

void TsSkinProvider::NCPaint(TMessage& message) {
  if (!DrawNonClientArea) {
    CallPrevious(message);
    return;
  }
  message.Result = 0;
  // A paint lock, or a menu bar the window does not show yet: a later paint will come.
  if (skinData_->PaintLocked || (skinData_->SkinState & kSkinStateUpdating)) return;
  HWND window = form_->Handle();
  if (form_->Menu() && !GetMenu(window)) return;
  const bool changed = ImageChanged() || !FormImage();
  if (!RebuildImage()) return;
  if (regionDirty_ && !regionUpdating_) {
    if (WindowMinimized() && (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW)) return;
    const Rect before = regionShape_;
    const bool redraw = WindowMaximized() || !form_->Showing();
    UpdateRegion(redraw);
    // A new region with redraw repaints the frame by itself.
    if (redraw && !changed && !(before == regionShape_)) return;
  }
  const WindowDc dc(window, true);
  PaintNonClient(dc.Get());
}

void TsSkinProvider::EraseClient(TMessage& message) {
  if (!DrawClientArea || !form_->Showing()) {
    CallPrevious(message);
    return;
  }
  message.Result = 1;
  if (skinData_->PaintLocked || (skinData_->SkinState & kSkinStateUpdating) || paintingClient_) return;
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  const Rect client = form_->ClientRect();
  if (PlainBackground()) {
    FillPlainBackground(dc, client);
    return;
  }
  if (!ImageChanged()) CopyClientPart(FormImage(), dc, ClientOffsetX(), ClientOffsetY(), client);
  NotifyChildrenUpdated(*form_);
}

void TsSkinProvider::PaintClient(TMessage& message) {
  if (!DrawClientArea) {
    CallPrevious(message);
    return;
  }
  message.Result = 0;
  paintingClient_ = true;
  if (message.WParam) {
    PaintClientInto(reinterpret_cast<HDC>(message.WParam));
  } else {
    const PaintScope paint(form_->Handle());
    PaintClientInto(paint.Dc());
  }
  paintingClient_ = false;
  NotifyChildrenUpdated(*form_);
}

void TsSkinProvider::PaintClientInto(HDC dc) {
  const Rect client = form_->ClientRect();
  if (PlainBackground()) {
    FillPlainBackground(dc, client);
  } else {
    RebuildImage();
    CopyClientPart(FormImage(), dc, ClientOffsetX(), ClientOffsetY(), client);
  }
  form_->PaintControls(dc);
}

void TsSkinProvider::PrintWindowImage(TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  if (message.LParam == PRF_ERASEBKGND) {
    TMessage erase{WM_ERASEBKGND, message.WParam, 0, 0};
    EraseClient(erase);
    message.Result = erase.Result;
    return;
  }
  if (!RebuildImage()) {
    CallPrevious(message);
    return;
  }
  if (DrawNonClientArea) PaintNonClient(dc);
  const Rect client = ClientRectInWindow();
  const SavedDcState saved(dc);
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x + client.left, origin.y + client.top, nullptr);
  IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
  PaintClientInto(dc);
  message.Result = 0;
}

}  // namespace klarvik
