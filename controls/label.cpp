#include "controls/label.h"

#include "controls/text_size.h"

namespace klarvik {

namespace {

constexpr UINT kTextFormat = DT_LEFT | DT_SINGLELINE | DT_NOCLIP;

}  // namespace

TsLabel::TsLabel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 65, 17); }

void TsLabel::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  FitToText();
}

void TsLabel::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  Rect r = ClientRect();
  SetBkMode(canvas.Handle(), TRANSPARENT);
  canvas.DrawText(Caption(), r, kTextFormat);
}

void TsLabel::TextChanged() {
  TGraphicControl::TextChanged();
  FitToText();
  Invalidate();
}

void TsLabel::FontChanged() {
  TGraphicControl::FontChanged();
  FitToText();
  Invalidate();
}

void TsLabel::Loaded() {
  TGraphicControl::Loaded();
  FitToText();
}

void TsLabel::FitToText() {
  if (!autoSize_ || IsLoading()) return;
  const SIZE text = SingleLineTextSize(Font(), Caption(), kTextFormat);
  if (text.cx != Width() || text.cy != Height()) SetBounds(Left(), Top(), text.cx, text.cy);
}

}  // namespace klarvik
