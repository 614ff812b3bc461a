#include "widgets/adv_gdip_picture.h"

namespace klarvik {

TAdvGDIPPicture::TAdvGDIPPicture(TComponent* AOwner) : TGraphicControl(AOwner) {
  picture_.OnChange = [this](TObject*) { PictureChanged(); };
  SetBounds(Left(), Top(), 100, 100);
}

void TAdvGDIPPicture::SetAutoSize(bool value) {
  autoSize_ = value;
  if (value) ApplyAutoSize();
}

void TAdvGDIPPicture::ApplyAutoSize() {
  if (picture_.Empty() || !picture_.DetermineSize()) return;
  SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
}

void TAdvGDIPPicture::SetFlag(bool& flag, bool value) {
  if (flag == value) return;
  flag = value;
  Invalidate();
}

void TAdvGDIPPicture::SetCenter(bool value) { SetFlag(flags_.center, value); }
void TAdvGDIPPicture::SetProportional(bool value) { SetFlag(flags_.proportional, value); }
void TAdvGDIPPicture::SetStretch(bool value) { SetFlag(flags_.stretch, value); }
void TAdvGDIPPicture::SetCropping(bool value) { SetFlag(flags_.cropping, value); }

void TAdvGDIPPicture::PictureChanged() {
  if (autoSize_ && !picture_.Empty()) ApplyAutoSize();
  Invalidate();
}

void TAdvGDIPPicture::Paint() {
  if (picture_.Empty()) return;
  // Plain stretching fills the control whatever the picture's size; every other layout needs it.
  const bool plainStretch = flags_.stretch && !flags_.proportional && !flags_.cropping;
  if (!plainStretch) picture_.DetermineSize();
  const auto rect = PictureRect(flags_, Width(), Height(), picture_.Width(), picture_.Height());
  if (!rect) return;
  picture_.Draw(Canvas(), *rect);
}

}  // namespace klarvik
