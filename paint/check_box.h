#pragma once
// TsCheckBox: a check box (the standard button class) that keeps its Checked state
// whether or not its window exists, and raises OnClick when the user toggles it.
#include "runtime/win_control.h"

class TsCheckBox : public TWinControl {
 public:
  explicit TsCheckBox(TComponent* AOwner);

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

 private:
  bool checked_ = false;
};
