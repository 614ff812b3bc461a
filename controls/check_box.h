#pragma once
// TsCheckBox: a check box (the standard button class) that keeps its Checked state
// whether or not its window exists, and raises OnClick when the user toggles it.
// It sizes itself to its caption, and can keep its focus frame hidden.
#include "runtime/win_control.h"

namespace klarvik {

class TsCheckBox : public TWinControl {
 public:
  explicit TsCheckBox(TComponent* AOwner);

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool ShowFocus() const { return showFocus_; }
  void SetShowFocus(bool showFocus);

  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Loaded() override;
  void TextChanged() override;
  void FontChanged() override;

 private:
  void FitToText();
  // True when the notification was a click, which toggles the box.
  bool CNCommand(TMessage& message);
  void WMUpdateUIState(TMessage& message);

  bool checked_ = false;
  bool autoSize_ = true;
  bool showFocus_ = true;
};

}  // namespace klarvik
