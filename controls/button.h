#pragma once
// TsButton: a push button (the standard button class) whose click raises OnClick.
#include "runtime/win_control.h"

namespace klarvik {

class TsButton : public TWinControl {
 public:
  explicit TsButton(TComponent* AOwner);

  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
};

}  // namespace klarvik
