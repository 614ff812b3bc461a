#pragma once
// TAboutForm1: the About box: the program's icon, name, version, legal notice, the
// maker's web address and the licence, and OK. It has no title-bar buttons; Enter closes it.
#include "controls/button.h"
#include "controls/label.h"
#include "controls/web_label.h"
#include "runtime/forms.h"
#include "widgets/adv_gdip_picture.h"

namespace klarvik {

class TAboutForm1 : public TForm {
 public:
  explicit TAboutForm1(TComponent* AOwner);

  TAdvGDIPPicture* AdvGDIPPicture1;
  TsLabel* sLabel1;
  TsLabel* sLabel2;
  TsLabel* sLabel3;
  TsWebLabel* sWebLabel1;
  TsLabel* sLabel4;
  TsButton* sButton1;
};

}  // namespace klarvik
