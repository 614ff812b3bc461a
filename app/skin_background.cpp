#include "app/skin_background.h"

#include "runtime/colors.h"
#include "skin/manager/skin_manager.h"

namespace klarvik {

void FollowSkinBackground(TForm& form) {
  const TsSkinManager* manager = TsSkinManager::DefaultManager();
  const bool shown = manager && manager->Active() && manager->Tables().SkinData.Active;
  form.SetColor(shown ? manager->Tables().ColorRef(manager->Tables().MainColor()) : clBtnFace);
  if (form.HandleAllocated()) RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace klarvik
