#include "paint/check_box.h"

TsCheckBox::TsCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
}

void TsCheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TsCheckBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = L"BUTTON";
  params.Style |= BS_AUTOCHECKBOX;
}

void TsCheckBox::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TsCheckBox::WndProc(TMessage& Message) {
  if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == BN_CLICKED) {
    checked_ = SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    Click();
    return;
  }
  TWinControl::WndProc(Message);
}
