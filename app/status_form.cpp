#include "app/status_form.h"

#include "app/skin_background.h"

#include "runtime/colors.h"

namespace klarvik {

TStatusForm1* StatusForm1 = nullptr;

TStatusForm1::TStatusForm1(TComponent* AOwner) : TForm(AOwner) {
  SetName(L"StatusForm1");
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetClientWidth(169);
  SetClientHeight(67);
  // Centred over the main window when first shown, then left where it is.
  SetPosition(TPosition::poMainFormCenter);
  SetColor(clBtnFace);
  Font().SetName(L"MS Sans Serif");
  Font().SetHeight(-11);

  AdvCircularProgress1 = new TAdvCircularProgress(this);
  AdvCircularProgress1->SetName(L"AdvCircularProgress1");
  AdvCircularProgress1->SetParent(this);
  AdvCircularProgress1->SetBounds(24, 8, 49, 49);
  TProgressAppearance& appearance = AdvCircularProgress1->Appearance();
  appearance.SetBackGroundColor(clNone);
  appearance.SetBorderColor(clNone);
  appearance.SetActiveSegmentColor(RgbColor(159, 159, 255));
  appearance.SetInActiveSegmentColor(clSilver);
  appearance.SetTransitionSegmentColor(RgbColor(0, 0, 160));
  appearance.SetProgressSegmentColor(RgbColor(128, 0, 64));
  AdvCircularProgress1->SetInterval(100);

  sLabel1 = new TsLabel(this);
  sLabel1->SetName(L"sLabel1");
  sLabel1->SetParent(this);
  sLabel1->SetBounds(88, 28, 61, 13);
  sLabel1->SetCaption(L"Delete files...");
  FollowSkinBackground(*this);
  EndLoading();
}

}  // namespace klarvik
