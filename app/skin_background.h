#pragma once
// The background of a form without a skin provider (the borderless status window, the
// About box): the skin's main colour while a skin is shown, so that labels in the skin's
// text colour stay readable.
#include "runtime/forms.h"

namespace klarvik {

void FollowSkinBackground(TForm& form);

}  // namespace klarvik
