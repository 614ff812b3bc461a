#pragma once
// Sends a skin command to every form of the process and every control on them.
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

// The control, then, unless it passes commands on itself, its children.
void SendSkinCommandToControls(TWinControl& parent, const TMessage& message);

}  // namespace klarvik
