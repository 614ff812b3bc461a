#pragma once
// TsLabel: a windowless, transparent line of text painted by its parent. It sizes
// itself to its caption, so a longer measurement text is never cut.
#include "runtime/graphic_control.h"

namespace klarvik {

class TsLabel : public TGraphicControl {
 public:
  explicit TsLabel(TComponent* AOwner);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);

 protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void Loaded() override;

 private:
  void FitToText();

  bool autoSize_ = true;
};

}  // namespace klarvik
