#pragma once
// TAdvGDIPPicture: a windowless control that shows a TGDIPPicture at its natural size, or
// stretched, proportionally scaled, centred or cropped to fill the control.
#include <string>

#include "runtime/graphic_control.h"
#include "widgets/gdip_picture.h"
#include "widgets/picture_layout.h"

namespace klarvik {

class TAdvGDIPPicture : public TGraphicControl {
 public:
  explicit TAdvGDIPPicture(TComponent* AOwner);

  // When set, the control takes the picture's size whenever the picture changes.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Center() const { return flags_.center; }
  void SetCenter(bool value);
  bool Proportional() const { return flags_.proportional; }
  void SetProportional(bool value);
  bool Stretch() const { return flags_.stretch; }
  void SetStretch(bool value);
  // Fills the whole control keeping proportions, cutting the excess evenly on both sides.
  bool Cropping() const { return flags_.cropping; }
  void SetCropping(bool value);

  TGDIPPicture& Picture() { return picture_; }
  // Copies the given picture (nullptr clears it).
  void SetPicture(const TGDIPPicture* value) { picture_.Assign(value); }

  std::wstring Version() const { return L"1.1.0.0"; }

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  void ApplyAutoSize();
  void SetFlag(bool& flag, bool value);

  bool autoSize_ = false;
  PictureFlags flags_;
  TGDIPPicture picture_;
};

}  // namespace klarvik
