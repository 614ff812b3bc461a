#pragma once
// A borderless helper form laid over a skinned form's top band (frame, title, menu bar)
// while the system handles activation or a caption change, which would otherwise flash
// its own caption there. It shows the same band of the provider's form image.
#include "runtime/forms.h"

namespace klarvik {

class TsSkinProvider;

class TacCaptionCover : public TCustomForm {
 public:
  // Shown at once, without activation, directly above the form.
  explicit TacCaptionCover(TsSkinProvider& provider);

  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TsSkinProvider& provider_;
};

}  // namespace klarvik
