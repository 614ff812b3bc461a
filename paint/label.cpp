#include "paint/label.h"

#include "runtime/handles.h"

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
  RECT r = ClientRect();
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

// An empty caption still measures one line, so the label keeps its height.
void TsLabel::FitToText() {
  if (!autoSize_ || IsLoading()) return;
  WindowDc screen(nullptr);
  SelectScope font(screen.Get(), Font().Handle());
  RECT r{0, 0, 0, 0};
  const std::wstring text = Caption().empty() ? L" " : Caption();
  ::DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, kTextFormat | DT_CALCRECT);
  if (r.right != Width() || r.bottom != Height()) SetBounds(Left(), Top(), r.right, r.bottom);
}
