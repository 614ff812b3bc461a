#include "controls/button.h"

namespace klarvik {

TsButton::TsButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TsButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = L"BUTTON";
  params.Style |= BS_PUSHBUTTON;
}

void TsButton::WndProc(TMessage& Message) {
  if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == BN_CLICKED) {
    Click();
    return;
  }
  TWinControl::WndProc(Message);
}

}  // namespace klarvik
