#pragma once
// The colours of the circular progress indicator. Any colour may be clNone: that part is
// then not painted.
#include "runtime/colors.h"
#include "runtime/component.h"

namespace klarvik {

class TProgressAppearance : public TObject {
 public:
  TProgressAppearance() = default;

  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor value) { Store(borderColor_, value); }
  TColor BackGroundColor() const { return backGroundColor_; }
  void SetBackGroundColor(TColor value) { Store(backGroundColor_, value); }
  TColor ActiveSegmentColor() const { return activeSegmentColor_; }
  void SetActiveSegmentColor(TColor value) { Store(activeSegmentColor_, value); }
  TColor TransitionSegmentColor() const { return transitionSegmentColor_; }
  void SetTransitionSegmentColor(TColor value) { Store(transitionSegmentColor_, value); }
  TColor InActiveSegmentColor() const { return inActiveSegmentColor_; }
  void SetInActiveSegmentColor(TColor value) { Store(inActiveSegmentColor_, value); }
  TColor ProgressSegmentColor() const { return progressSegmentColor_; }
  void SetProgressSegmentColor(TColor value) { Store(progressSegmentColor_, value); }

  // Copies all six colours without calling OnChange.
  void Assign(const TProgressAppearance& source);

  // Called after a colour has changed to a different value.
  TNotifyEvent OnChange;

 private:
  void Store(TColor& field, TColor value);

  TColor borderColor_ = clNone;
  TColor backGroundColor_ = clNone;
  TColor activeSegmentColor_ = RgbColor(159, 159, 255);
  TColor transitionSegmentColor_ = RgbColor(0, 0, 160);
  TColor inActiveSegmentColor_ = clSilver;
  TColor progressSegmentColor_ = RgbColor(128, 0, 64);
};

}  // namespace klarvik
