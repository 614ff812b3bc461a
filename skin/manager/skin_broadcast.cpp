#include "skin/manager/skin_broadcast.h"

#include "runtime/application.h"

namespace klarvik {

namespace {

// A windowed control gets the message through its window, so that every hook on the
// window sees it; a control without a window is called directly.
LRESULT Deliver(TControl& control, const TMessage& message) {
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  if (windowed && windowed->HandleAllocated()) return SendMessageW(windowed->Handle(), message.Msg, message.WParam, message.LParam);
  return control.Perform(message.Msg, message.WParam, message.LParam);
}

bool PassesCommandsOn(TWinControl& control, LPARAM manager) {
  return control.HandleAllocated() &&
         SendMessageW(control.Handle(), WM_SKINCOMMAND, SkinCommandParam(SKC_ISSKINNED), manager) == 1;
}

void SendToForm(TCustomForm& form, const TMessage& message) {
  Deliver(form, message);
  SendSkinCommandToControls(form, message);
}

}  // namespace

std::vector<TCustomForm*>& SkinnedForms() {
  static std::vector<TCustomForm*> forms;
  return forms;
}

void SendSkinCommandToControls(TWinControl& parent, const TMessage& message) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl& control = *parent.Controls(i);
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    Deliver(control, message);
    if (windowed && !PassesCommandsOn(*windowed, message.LParam)) SendSkinCommandToControls(*windowed, message);
  }
}

void BroadcastSkinCommand(TSkinCommand command, LPARAM manager) {
  const TMessage message{WM_SKINCOMMAND, SkinCommandParam(command), manager, 0};
  if (Application && !Application->IsDestroying()) {
    for (int i = Application->ComponentCount() - 1; i >= 0; --i) {
      auto* form = dynamic_cast<TCustomForm*>(Application->Components(i));
      if (!form || form->IsDestroying() || form->IsLoading() || PassesCommandsOn(*form, manager)) continue;
      SendToForm(*form, message);
    }
  }
  // A copy: a form may leave the list while it handles the command.
  const std::vector<TCustomForm*> skinned = SkinnedForms();
  for (TCustomForm* form : skinned) {
    if (!form->IsDestroying()) SendToForm(*form, message);
  }
}

}  // namespace klarvik
