#pragma once
// The skin commands that the skinned controls which fade (button, check box) answer
// alike: their fade stopped around every change of skin, their cache painted when asked,
// a fade's frames left to the fade, and painting taken up again once the parent is ready.
#include <functional>

#include "controls/common_data.h"
#include "controls/fade_timer.h"

namespace klarvik {

struct FadingControl {
  TsCommonData& data;
  TsFadeTimerRef& fade;
  std::function<bool()> prepareCache;   // paints the cache; false when it cannot yet
  std::function<void()> repaint;        // shows the control again in its present look
  std::function<void()> skinChanged;    // after a skin was applied or removed (may be empty)
  bool waitsWhilePartlyHidden = false;  // a parent's update also repaints a partly hidden control
};

// False when the command is left to the owner.
bool HandleFadingControlCommand(TMessage& message, const FadingControl& control);

}  // namespace klarvik
