#pragma once
// Skinned labels: windowless, transparent lines of text painted by their parent. While a
// skin is shown they take their text colour from it; they size themselves to their
// caption, so a longer measurement text is never cut.
#include <string>

#include "runtime/graphic_control.h"

namespace klarvik {

class TsCustomLabel : public TGraphicControl {
 public:
  explicit TsCustomLabel(TComponent* AOwner);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  // Wrapped at word breaks to the label's width; with AutoSize only the height follows.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  // With accelerators shown, "&" marks the access key; else it is drawn as it stands.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  // A section painted under the text; kept as written.
  const std::string& SkinSection() const { return skinSection_; }
  void SetSkinSection(const std::string& value);

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  void WndProc(TMessage& Message) override;

 protected:
  // The font and text colour the label draws with now.
  virtual TFont& CurrentFont() { return Font(); }
  virtual TColor CurrentColor() { return Font().Color(); }
  // Index of the named section in the default manager's skin while one is shown, else -1.
  int NamedSectionIndex() const;

  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void EnabledChanged() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Loaded() override;
  void FitToText();

 private:
  UINT TextFormat() const;
  void DrawSectionItem();
  void PaintParentBackground();

  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  std::string skinSection_;
  bool painting_ = false;  // the label changes its own font colour while it paints
};

class TsLabel : public TsCustomLabel {
 public:
  explicit TsLabel(TComponent* AOwner) : TsCustomLabel(AOwner) {}

  bool UseSkinColor() const { return useSkinColor_; }
  void SetUseSkinColor(bool value);

 protected:
  TColor CurrentColor() override;
  // The colour the parent reports for its children.
  TColor ParentBackgroundColor();

 private:
  bool useSkinColor_ = true;
};

}  // namespace klarvik
