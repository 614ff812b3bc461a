#include "controls/label.h"

#include "base/ascii_text.h"
#include "base/colors.h"
#include "controls/common_data.h"
#include "controls/section_item_dc.h"
#include "controls/skinned_text.h"
#include "controls/text_size.h"
#include "paint/primitives/bitmap_ops.h"
#include "runtime/bitmap.h"
#include "runtime/colors.h"
#include "runtime/win_control.h"
#include "skin/manager/skin_broadcast.h"
#include "skin/manager/skin_manager.h"
#include "win/handles.h"
#include "win/rect.h"

namespace klarvik {

namespace {

TsSkinManager* ShowingManager() {
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  return manager && manager->Tables().SkinData.Active ? manager : nullptr;
}

}  // namespace

TsCustomLabel::TsCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 65, 17); }

void TsCustomLabel::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  FitToText();
}

void TsCustomLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  FitToText();
  Invalidate();
}

void TsCustomLabel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  FitToText();
  Invalidate();
}

void TsCustomLabel::SetSkinSection(const std::string& value) {
  skinSection_ = value;
  Invalidate();
}

UINT TsCustomLabel::TextFormat() const {
  UINT format = DT_LEFT | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
  if (!showAccelChar_) format |= DT_NOPREFIX;
  if (IsRightToLeft()) format |= DT_RIGHT | DT_RTLREADING;
  return format;
}

int TsCustomLabel::NamedSectionIndex() const {
  TsSkinManager* manager = ShowingManager();
  if (skinSection_.empty() || !manager) return -1;
  return manager->Tables().IndexOfSection(UpperCase(skinSection_));
}

void TsCustomLabel::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND) {
    // The skin's colours show at the next paint; the parent repaints after a change only
    // when it is skinned itself.
    const WORD command = SkinCommandOf(Message.WParam);
    if (command == SKC_SKINAPPLIED || command == SKC_SKINREMOVED) Invalidate();
    Message.Result = 0;
    return;
  }
  TGraphicControl::WndProc(Message);
}

void TsCustomLabel::DrawSectionItem() {
  const int section = NamedSectionIndex();
  if (section < 0) return;
  TsSkinManager& manager = *TsSkinManager::DefaultManager();
  const TsSkinTables& tables = manager.Tables();
  Font().SetColor(tables.ColorRef(tables.Sections[static_cast<std::size_t>(section)].FontColors[0]));
  if (section == 0) return;
  SectionPaint paint;
  paint.tables = &tables;
  paint.section = section;
  paint.parent = Parent() ? ParentBackgroundOf(*this) : TacParentCache{};
  paint.state = 0;
  PaintSectionItemToDC(Canvas().Handle(), ClientRect(), paint, true);
}

// An opaque label (the web label) is left out when its parent fills its background, so it
// puts down what lies under it itself: the parent's picture there, or its colour.
void TsCustomLabel::PaintParentBackground() {
  const TacParentCache parent = ParentBackgroundOf(*this);
  HDC dc = Canvas().Handle();
  if (parent.HasImage()) {
    TBitmap under(Width(), Height());
    CopyRect(under.Pixels(), 0, 0, parent.Image, Rect{parent.OffsetX, parent.OffsetY, parent.OffsetX + Width(), parent.OffsetY + Height()});
    BitBlt(dc, 0, 0, Width(), Height(), under.Canvas().Handle(), 0, 0, SRCCOPY);
    return;
  }
  const UniqueBrush brush(CreateSolidBrush(ColorToRGB(parent.FillColor)));
  const RECT area = ToRECT(ClientRect());
  FillRect(dc, &area, brush.Get());
}

void TsCustomLabel::Paint() {
  painting_ = true;
  if (ControlStyle() & csOpaque) PaintParentBackground();
  DrawSectionItem();
  TCanvas& canvas = Canvas();
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  SetBkMode(canvas.Handle(), TRANSPARENT);
  canvas.Font().Assign(CurrentFont());
  Rect r = ClientRect();
  if (ShowingManager() || Enabled()) {
    canvas.Font().SetColor(CurrentColor());
    canvas.DrawText(Caption(), r, TextFormat());
  } else {
    // The standard greyed look: the text raised in the highlight colour, the shadow on top.
    Rect raised = r.Offset(1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(Caption(), raised, TextFormat());
    canvas.Font().SetColor(clBtnShadow);
    canvas.DrawText(Caption(), r, TextFormat());
  }
  painting_ = false;
}

void TsCustomLabel::TextChanged() {
  TGraphicControl::TextChanged();
  FitToText();
  Invalidate();
}

void TsCustomLabel::FontChanged() {
  if (painting_ || IsDestroying()) return;
  TGraphicControl::FontChanged();
  FitToText();
  Invalidate();
}

void TsCustomLabel::EnabledChanged() {
  TGraphicControl::EnabledChanged();
  Invalidate();
}

void TsCustomLabel::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TsCustomLabel::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TsCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  FitToText();
}

void TsCustomLabel::FitToText() {
  if (!autoSize_ || IsLoading()) return;
  // A lone access-key mark shows nothing, yet the label keeps the height of a line.
  const std::wstring measured = showAccelChar_ && Caption() == L"&" ? std::wstring(L" ") : Caption();
  if (wordWrap_) {
    const SIZE text = MeasureText(CurrentFont(), measured, TextFormat(), Width(), true);
    if (text.cy != Height()) SetBounds(Left(), Top(), Width(), text.cy);
    return;
  }
  const SIZE text = SingleLineTextSize(CurrentFont(), measured, TextFormat());
  if (text.cx != Width() || text.cy != Height()) SetBounds(Left(), Top(), text.cx, text.cy);
}

void TsLabel::SetUseSkinColor(bool value) {
  if (value == useSkinColor_) return;
  useSkinColor_ = value;
  Invalidate();
}

TColor TsLabel::ParentBackgroundColor() {
  TWinControl* parent = Parent();
  if (!parent) return TColor{static_cast<std::int32_t>(ColorToRGB(clBtnFace))};
  TsCommonData* data = SkinDataOf(*parent);
  if (data && data->Skinned()) return TColor{static_cast<std::int32_t>(SendSkinCommand(*parent, SKC_GETCOLOR, 0))};
  return TColor{static_cast<std::int32_t>(ColorToRGB(parent->Color()))};
}

TColor TsLabel::CurrentColor() {
  TsSkinManager* manager = ShowingManager();
  if (!useSkinColor_ || !manager) return Font().Color();
  const TsSkinTables& tables = manager->Tables();
  const int section = TextSectionFor(*this, NamedSectionIndex(), *manager, 0);
  const TColor color = section < 0 ? tables.ColorRef(tables.MainTextColor())
                                   : tables.ColorRef(tables.Sections[static_cast<std::size_t>(section)].FontColors[0]);
  return Enabled() ? color : MixColors(color, ParentBackgroundColor(), 0.4);
}

}  // namespace klarvik
