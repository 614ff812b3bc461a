#pragma once
// TsCheckBox: a check box that keeps its state whether or not its window exists and
// draws itself: while a skin is shown its background from its section (normally
// "CHECKBOX"), the box from the skin's check glyphs, the caption in the section's colours
// and fades between its normal, hot and pressed looks; without a skin the standard box,
// themed where the system is. It sizes itself to its caption, can keep its focus frame
// hidden, and can be read-only.
#include <windows.h>

#include <memory>

#include "controls/common_data.h"
#include "controls/disabled_look.h"
#include "controls/fade_timer.h"
#include "runtime/win_control.h"

namespace klarvik {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TsCheckBox : public TWinControl {
 public:
  explicit TsCheckBox(TComponent* AOwner);
  ~TsCheckBox() override;

  TsCommonData& SkinData() { return skinData_; }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState state);
  bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool checked) { SetState(checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  // Clicks then run unchecked, checked, grayed.
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool value) { allowGrayed_ = value; }
  // Clicks and the space bar leave the state as it is.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool ShowFocus() const { return showFocus_; }
  void SetShowFocus(bool showFocus);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  int TextIndent() const { return textIndent_; }
  void SetTextIndent(int value);
  TsDisabledKind DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(TsDisabledKind value);
  // Pictures of the box (normal, hot and pressed side by side) used instead of the
  // skin's; copied. An empty view takes the picture away.
  void SetGlyphChecked(const PixelView& picture);
  void SetGlyphUnChecked(const PixelView& picture);
  TacAnimatEvents AnimatEvents() const { return animatEvents_; }
  void SetAnimatEvents(TacAnimatEvents events) { animatEvents_ = events; }

  // Raised when the state changes, by the user or by the program.
  TNotifyEvent OnValueChanged;

  // The size of the box glyph the skin gives for the current state; 16 × 16 without one.
  SIZE GlyphSize() const;
  // 2 while pressed, 1 when hot and not read-only, else 0.
  int GlyphState() const;

  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Loaded() override;
  void TextChanged() override;
  void FontChanged() override;
  void EnabledChanged() override;

 private:
  bool SkinShown() const;
  // The skin's glyph entry for the current state, or -1.
  int GlyphIndex() const;
  // The picture given for the current state, or null.
  TBitmap* OwnGlyph() const;
  void SetGlyph(std::unique_ptr<TBitmap>& glyph, const PixelView& picture);
  bool Pressed() const;
  bool Hot() const;
  bool PrepareCache();
  void DrawCaptionAndGlyph(TBitmap& cache);
  void DrawSkinnedFace(HDC dc);
  void DrawStandardFace(const DRAWITEMSTRUCT& item);
  void Toggle();
  void FitToText();
  bool HandleSkinCommand(TMessage& message);
  // Repaints the face now, whatever look it has.
  void RepaintFace();

  TsCommonData skinData_;
  TsFadeTimerRef fade_;
  std::unique_ptr<TBitmap> glyphChecked_;
  std::unique_ptr<TBitmap> glyphUnChecked_;
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allowGrayed_ = false;
  bool readOnly_ = false;
  bool autoSize_ = true;
  bool showFocus_ = true;
  int margin_ = 2;
  int textIndent_ = 0;
  TsDisabledKind disabledKind_ = dkBlended;
  TacAnimatEvents animatEvents_ = kDefaultAnimatEvents;
};

}  // namespace klarvik
