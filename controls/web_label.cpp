#include "controls/web_label.h"

#include <shellapi.h>

#include "controls/skinned_text.h"
#include "runtime/application.h"
#include "runtime/win_control.h"
#include "skin/manager/skin_manager.h"

namespace klarvik {

namespace {

TsSkinManager* ShowingManager() {
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  return manager && manager->Tables().SkinData.Active ? manager : nullptr;
}

}  // namespace

TsWebLabel::TsWebLabel(TComponent* AOwner) : TsLabel(AOwner) {
  SetCursor(crHandPoint);
  SetControlStyle(ControlStyle() | csOpaque);
  normalFont_.Assign(Font());
  hoverFont_.Assign(Font());
}

void TsWebLabel::SetFont(const TFont& value) {
  normalFont_.Assign(value);
  Font().Assign(value);
  Invalidate();
}

void TsWebLabel::ParentFontChanged() {
  if (ParentFont() && Parent()) {
    const TFont& parentFont = Parent()->Font();
    const TColor own = normalFont_.Color();
    normalFont_.Assign(parentFont);
    normalFont_.SetColor(own);
    hoverFont_.SetName(parentFont.Name());
    hoverFont_.SetHeight(parentFont.Height());
  }
  TsLabel::ParentFontChanged();
}

void TsWebLabel::Loaded() {
  TsLabel::Loaded();
  Font().Assign(normalFont_);
}

TColor TsWebLabel::CurrentColor() {
  TsSkinManager* manager = ShowingManager();
  if (mouseOver_) {
    if (UseSkinColor() && manager) return manager->Tables().ColorRef(manager->Tables().Palette[pcBorderTop]);
    return hoverFont_.Color();
  }
  if (IsDestroying() || !manager || !UseSkinColor()) return normalFont_.Color();
  const TsSkinTables& tables = manager->Tables();
  const int section = TextSectionFor(*this, -1, *manager, 0);
  return section < 0 ? tables.ColorRef(tables.Palette[pcBorderBottom])
                     : tables.ColorRef(tables.Sections[static_cast<std::size_t>(section)].FontColors[0]);
}

void TsWebLabel::HoverChanged() {
  // The hover font may be of another size.
  if (AutoSize()) FitToText();
  if (Parent() && Parent()->HandleAllocated()) {
    const RECT bounds = ToRECT(BoundsRect());
    InvalidateRect(Parent()->Handle(), &bounds, TRUE);
  }
}

void TsWebLabel::MouseEnter() {
  TsLabel::MouseEnter();
  if (!Enabled()) return;
  mouseOver_ = true;
  HoverChanged();
}

void TsWebLabel::MouseLeave() {
  if (Enabled()) {
    mouseOver_ = false;
    HoverChanged();
  }
  TsLabel::MouseLeave();
}

void TsWebLabel::MouseDown(TMouseButton button, WPARAM keys, int x, int y) {
  TsLabel::MouseDown(button, keys, x, y);
  if (button == TMouseButton::mbLeft && !url_.empty()) OpenAddress(url_, static_cast<int>(showMode_));
}

void TsWebLabel::OpenAddress(const std::wstring& url, int showCommand) {
  HWND owner = Application ? Application->Handle() : nullptr;
  ShellExecuteW(owner, L"open", url.c_str(), nullptr, nullptr, showCommand);
}

}  // namespace klarvik
