#pragma once
// TsWebLabel: a label that is a link. It shows the skin's link colour (or its font's), the
// hover colour and font while the mouse is over it, a hand pointer, and opens its address
// when clicked.
#include <string>

#include "controls/label.h"

namespace klarvik {

// How the opened program's window shows; the position is the show command passed on.
enum class TsWindowShowMode {
  soHide, soNormal, soShowMinimized, soMaximize, soShowNoActivate, soShow, soMinimize, soShowMinNoActive, soShowNA,
  soRestore, soDefault
};

class TsWebLabel : public TsLabel {
 public:
  explicit TsWebLabel(TComponent* AOwner);

  const std::wstring& URL() const { return url_; }
  void SetURL(const std::wstring& value) { url_ = value; }
  TsWindowShowMode ShowMode() const { return showMode_; }
  void SetShowMode(TsWindowShowMode value) { showMode_ = value; }
  // The font while the mouse is over the label.
  TFont& HoverFont() { return hoverFont_; }
  void SetHoverFont(const TFont& value) { hoverFont_.Assign(value); }
  // The font while it is not; also becomes the drawing font.
  TFont& NormalFont() { return normalFont_; }
  void SetFont(const TFont& value);
  bool MouseOver() const { return mouseOver_; }

  // A parent's font becomes the normal font in the label's own colour, and gives the
  // hover font its name and size.
  void ParentFontChanged() override;

 protected:
  TFont& CurrentFont() override { return mouseOver_ ? hoverFont_ : normalFont_; }
  TColor CurrentColor() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown(TMouseButton button, WPARAM keys, int x, int y) override;
  void Loaded() override;
  // Hands the address to the shell; a failure is not reported.
  virtual void OpenAddress(const std::wstring& url, int showCommand);

 private:
  void HoverChanged();

  std::wstring url_;
  TsWindowShowMode showMode_ = TsWindowShowMode::soDefault;
  TFont hoverFont_;
  TFont normalFont_;
  bool mouseOver_ = false;
};

}  // namespace klarvik
