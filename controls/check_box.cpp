#include "controls/check_box.h"

#include <algorithm>

#include "controls/text_size.h"

namespace klarvik {

TsCheckBox::TsCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
}

void TsCheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TsCheckBox::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  FitToText();
}

void TsCheckBox::SetShowFocus(bool showFocus) {
  if (showFocus == showFocus_) return;
  showFocus_ = showFocus;
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), WM_UPDATEUISTATE, MAKEWPARAM(showFocus ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS), 0);
  Invalidate();
}

void TsCheckBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = L"BUTTON";
  params.Style |= BS_AUTOCHECKBOX;
}

void TsCheckBox::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
  // Posted: the parent may still be inside its own creation.
  if (!showFocus_) PostMessageW(Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
}

void TsCheckBox::Loaded() {
  TWinControl::Loaded();
  FitToText();
}

void TsCheckBox::TextChanged() {
  TWinControl::TextChanged();
  FitToText();
}

void TsCheckBox::FontChanged() {
  TWinControl::FontChanged();
  FitToText();
}

// Room for the box and the whole caption, so no font cuts the text.
void TsCheckBox::FitToText() {
  if (!autoSize_ || IsLoading()) return;
  const SIZE text = SingleLineTextSize(Font(), Caption());
  SetBounds(Left(), Top(), text.cx + 20, std::max<int>(text.cy + 4, 20));
}

void TsCheckBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (CNCommand(Message)) return;
      break;
    case WM_UPDATEUISTATE:
      WMUpdateUIState(Message);
      break;
  }
  TWinControl::WndProc(Message);
}

bool TsCheckBox::CNCommand(TMessage& message) {
  if (HIWORD(message.WParam) != BN_CLICKED) return false;
  checked_ = SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  Click();
  return true;
}

// Keyboard use would reveal the focus frame; without ShowFocus it stays hidden.
void TsCheckBox::WMUpdateUIState(TMessage& message) {
  if (!showFocus_) message.WParam = MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS);
}

}  // namespace klarvik
