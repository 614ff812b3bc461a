#pragma once
// Sending the skin command: to one control, to the children of a container, to every form
// of the process and every control on them.
#include <vector>

#include "runtime/forms.h"
#include "skin/manager/skin_commands.h"

namespace klarvik {

// Forms whose skin provider works, in the order they came; the provider adds and removes
// them. Broadcasts reach them after the application's other forms.
std::vector<TCustomForm*>& SkinnedForms();

// The application's forms from the last to the first (passing over forms being made or
// destroyed, and forms that pass commands on themselves), then the skinned forms; each
// form's window first, then its controls.
void BroadcastSkinCommand(TSkinCommand command, LPARAM manager);

// The control, then, unless it passes commands on itself, its children. Children being
// destroyed are passed over.
void SendSkinCommandToControls(TWinControl& parent, const TMessage& message);

// A windowless control is called directly; a windowed one is sent the message when it has
// a window and is not being destroyed, else the answer is 0.
LRESULT SendSkinCommand(TControl& control, TSkinCommand command, LPARAM lParam, WORD value = 0);
inline LRESULT AskSkinCommand(TControl& control, TSkinCommand command) { return SendSkinCommand(control, command, 0); }

// Each child of the container that is not being destroyed: windowless ones and windowed
// ones that pass commands on themselves get the message; the broadcast goes down through
// the other windowed children.
void BroadcastToChildren(TWinControl& container, const TMessage& message);

// Each window whose parent is `window` (direct children only).
void BroadcastToChildWindows(HWND window, const TMessage& message);

// SKC_PARENTUPDATED to every child not being destroyed (windowed ones only while they
// have a window and show).
void NotifyChildrenUpdated(TWinControl& container);

// SKC_CONTROLCHANGED about the control to the form it sits on, unless it is loading.
void NotifyForm(TControl& control);

// The form a control sits on, or null.
TCustomForm* ParentFormOf(TControl& control);

}  // namespace klarvik
