#include "widgets/progress_appearance.h"

namespace klarvik {

void TProgressAppearance::Assign(const TProgressAppearance& source) {
  borderColor_ = source.borderColor_;
  backGroundColor_ = source.backGroundColor_;
  activeSegmentColor_ = source.activeSegmentColor_;
  transitionSegmentColor_ = source.transitionSegmentColor_;
  inActiveSegmentColor_ = source.inActiveSegmentColor_;
  progressSegmentColor_ = source.progressSegmentColor_;
}

void TProgressAppearance::Store(TColor& field, TColor value) {
  if (field == value) return;
  field = value;
  if (OnChange) OnChange(this);
}

}  // namespace klarvik
