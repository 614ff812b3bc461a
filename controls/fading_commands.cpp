#include "controls/fading_commands.h"

namespace klarvik {

bool HandleFadingControlCommand(TMessage& message, const FadingControl& control) {
  TsCommonData& data = control.data;
  switch (SkinCommandOf(message.WParam)) {
    case SKC_SKINLOADED:
      StopFade(control.fade, data);
      data.HandleSkinCommand(message);
      return true;
    case SKC_SKINREMOVED:
    case SKC_SKINAPPLIED:
      StopFade(control.fade, data);
      data.HandleSkinCommand(message);
      if (control.skinChanged) control.skinChanged();
      control.repaint();
      return true;
    case SKC_STOPANIMATION:
      StopFade(control.fade, data);
      return true;
    case SKC_BGPAINTED:
      message.Result = control.prepareCache() ? 1 : 0;
      return true;
    case SKC_DRAWFADEFRAME:
      message.Result = 0;  // the fade puts its frame on the window
      return true;
    case SKC_PARENTUPDATED:
      if (!data.PaintLocked && !(control.waitsWhilePartlyHidden && data.PartlyHidden)) break;
      data.PaintLocked = false;
      if (data.IsPaintLocked()) {
        data.PaintLocked = true;
      } else {
        control.repaint();
      }
      return true;
    case SKC_ISSKINNED:
      message.Result = 1;
      return true;
    default:
      break;
  }
  return data.HandleSkinCommand(message);
}

}  // namespace klarvik
