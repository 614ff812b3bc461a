#include "window/caption_cover.h"

#include "window/skin_provider.h"
#include "win/handles.h"

namespace klarvik {

TacCaptionCover::TacCaptionCover(TsSkinProvider& provider) : TCustomForm(nullptr), provider_(provider) {
  SetTag(HelperFormTag);
  SetBorderStyle(TFormBorderStyle::bsNone);
  EndLoading();
  HWND form = provider.Form().Handle();
  RECT bounds{};
  GetWindowRect(form, &bounds);
  const int height = provider.ClientOffsetY();
  // Owned by the form, so it stays directly above it.
  SetWindowPos(Handle(), HWND_TOP, bounds.left, bounds.top, bounds.right - bounds.left, height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
  UpdateWindow(Handle());
}

void TacCaptionCover::CreateParams(TCreateParams& params) {
  TCustomForm::CreateParams(params);
  params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  if (GetWindowLongW(provider_.Form().Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) params.ExStyle |= WS_EX_TOPMOST;
  params.WndParent = provider_.Form().Handle();
}

void TacCaptionCover::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_PAINT: {
      const PaintScope paint(Handle());
      if (TBitmap* image = provider_.FormImage(); image && !image->Empty()) {
        RECT client{};
        GetClientRect(Handle(), &client);
        BitBlt(paint.Dc(), 0, 0, client.right, client.bottom, image->Canvas().Handle(), 0, 0, SRCCOPY);
      }
      Message.Result = 0;
      return;
    }
    default:
      TCustomForm::WndProc(Message);
  }
}

}  // namespace klarvik
