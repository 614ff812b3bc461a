#pragma once
// TStatusForm1: the small borderless "Delete files..." window shown during a cleaning run.
#include "controls/label.h"
#include "runtime/forms.h"
#include "widgets/circular_progress.h"

namespace klarvik {

class TStatusForm1 : public TForm {
 public:
  explicit TStatusForm1(TComponent* AOwner);

  TAdvCircularProgress* AdvCircularProgress1;
  TsLabel* sLabel1;
};

extern TStatusForm1* StatusForm1;

}  // namespace klarvik
