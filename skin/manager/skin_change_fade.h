#pragma once
// The look of a skin change: the shown skinned forms stop redrawing while the new skin is
// broadcast, then show it all at once; with a skin-changing time of 12 ms or more their old
// look, laid over them in a layered helper window, fades out over time ÷ 12 frames, 12 ms
// apart, so that the new look fades in. The fade never takes longer than two seconds.
#include <windows.h>

#include <memory>
#include <vector>

#include "runtime/bitmap.h"
#include "skin/manager/manager_options.h"

namespace klarvik {

class TCustomForm;

class SkinChangeFade {
 public:
  // With `freeze`, stops the forms of SkinnedForms that show (no parent, not minimized)
  // from redrawing, taking their present look first when the options ask for a fade and
  // layered windows exist; without it, does nothing at all.
  SkinChangeFade(const TacSkinChanging& options, bool freeze);
  SkinChangeFade(const SkinChangeFade&) = delete;
  SkinChangeFade& operator=(const SkinChangeFade&) = delete;
  // Finish() when it was not called: the forms never stay frozen.
  ~SkinChangeFade();

  // Redraws the frozen forms in the new look, fading it in where a picture was taken.
  void Finish();

  // The longest a fade may take, whatever its time says.
  static constexpr DWORD kLongestFade = 2000;

 private:
  struct FrozenForm {
    HWND window;
    RECT bounds;
    std::unique_ptr<TBitmap> oldLook;  // null: no fade for this form
  };

  TacSkinChanging options_;
  std::vector<FrozenForm> frozen_;
  bool finished_ = false;
};

}  // namespace klarvik
