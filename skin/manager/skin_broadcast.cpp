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

// A child may leave its parent while it handles a message: the walk goes on from the
// child's new position, so the siblings after it are still reached.
template <typename Visit>
void ForEachChild(TWinControl& parent, Visit visit) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* control = parent.Controls(i);
    if (control->IsDestroying()) continue;
    visit(*control);
    if (parent.Controls(i) != control) --i;
  }
}

struct ChildWindowWalk {
  HWND parent;
  const TMessage* message;
};

// Enumeration reaches grandchildren too; only the parent's own children are sent to.
BOOL CALLBACK SendToDirectChild(HWND child, LPARAM param) {
  const auto& walk = *reinterpret_cast<const ChildWindowWalk*>(param);
  if (GetParent(child) == walk.parent) SendMessageW(child, walk.message->Msg, walk.message->WParam, walk.message->LParam);
  return TRUE;
}

}  // namespace

std::vector<TCustomForm*>& SkinnedForms() {
  static std::vector<TCustomForm*> forms;
  return forms;
}

void SendSkinCommandToControls(TWinControl& parent, const TMessage& message) {
  ForEachChild(parent, [&](TControl& control) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    Deliver(control, message);
    if (windowed && !PassesCommandsOn(*windowed, message.LParam)) SendSkinCommandToControls(*windowed, message);
  });
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

LRESULT SendSkinCommand(TControl& control, TSkinCommand command, LPARAM lParam, WORD value) {
  if (control.IsDestroying()) return 0;
  const WPARAM wParam = SkinCommandParam(command, value);
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  if (!windowed) return control.Perform(WM_SKINCOMMAND, wParam, lParam);
  if (!windowed->HandleAllocated()) return 0;
  return SendMessageW(windowed->Handle(), WM_SKINCOMMAND, wParam, lParam);
}

void BroadcastToChildren(TWinControl& container, const TMessage& message) {
  ForEachChild(container, [&](TControl& control) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (!windowed || !windowed->HandleAllocated()) {
      control.Perform(message.Msg, message.WParam, message.LParam);
    } else if (PassesCommandsOn(*windowed, 0)) {
      SendMessageW(windowed->Handle(), message.Msg, message.WParam, message.LParam);
    } else {
      BroadcastToChildren(*windowed, message);
    }
  });
}

void BroadcastToChildWindows(HWND window, const TMessage& message) {
  ChildWindowWalk walk{window, &message};
  EnumChildWindows(window, SendToDirectChild, reinterpret_cast<LPARAM>(&walk));
}

void NotifyChildrenUpdated(TWinControl& container) {
  ForEachChild(container, [](TControl& control) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (windowed && (!windowed->HandleAllocated() || !windowed->Showing())) return;
    SendSkinCommand(control, SKC_PARENTUPDATED, 0);
  });
}

TCustomForm* ParentFormOf(TControl& control) {
  TControl* walk = &control;
  while (walk->Parent()) walk = walk->Parent();
  return dynamic_cast<TCustomForm*>(walk);
}

void NotifyForm(TControl& control) {
  if (control.IsLoading()) return;
  TCustomForm* form = ParentFormOf(control);
  if (form && form != &control) SendSkinCommand(*form, SKC_CONTROLCHANGED, reinterpret_cast<LPARAM>(&control));
}

}  // namespace klarvik
