#pragma once
// TsButton: the push button of the program's windows. It keeps the standard button's
// behaviour (click, space, access key) and, while a skin is shown, paints its whole face
// from its section (normally "BUTTON"): background and border, the caption in the
// section's colours, a dotted focus frame, and cross-fades between its normal, hot and
// pressed looks. Without a skin it draws the standard button face itself.
#include <windows.h>

#include "controls/common_data.h"
#include "controls/disabled_look.h"
#include "controls/fade_timer.h"
#include "runtime/win_control.h"

namespace klarvik {

class TsButton : public TWinControl {
 public:
  explicit TsButton(TComponent* AOwner);
  ~TsButton() override;

  TsCommonData& SkinData() { return skinData_; }
  TacAnimatEvents AnimatEvents() const { return animatEvents_; }
  void SetAnimatEvents(TacAnimatEvents events) { animatEvents_ = events; }
  bool ShowFocus() const { return showFocus_; }
  void SetShowFocus(bool value);
  TsDisabledKind DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(TsDisabledKind value);
  // Keeps the pressed look.
  bool Down() const { return down_; }
  void SetDown(bool value);
  int FocusMargin() const { return focusMargin_; }
  void SetFocusMargin(int value) { focusMargin_ = value; }
  int ContentMargin() const { return contentMargin_; }
  void SetContentMargin(int value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);

  // Enter presses the default button, Escape the cancel button, of the form it is on.
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value);
  // Given to the form when the button is clicked; mrNone gives nothing.
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }

  void SetParent(TWinControl* parent) override;
  void Click() override;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // 2 pressed, 1 hot, 3 the form's default button, else 0.
  int CurrentState() const;
  // The section's state painted for the current state.
  int PaintedState() const;
  // The fade running now, or null.
  const TsFadeTimer* Fade() const { return fade_.get(); }

  void WndProc(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Loaded() override;

 private:
  bool SkinShown() const;
  // Tells the form (or the form it left) which buttons Enter and Escape press.
  void RegisterWithForm(bool add);
  // Paints the face into the cache; false when the parent's background is not ready yet.
  bool PrepareCache();
  // Where the caption goes in a face of the button's size.
  Rect CaptionRect(TCanvas& canvas) const;
  UINT CaptionFormat() const;
  void DrawCaptionAndFocus(TCanvas& canvas);
  void PaintSkinned(HDC dc);
  void DrawStandardFace(const DRAWITEMSTRUCT& item);
  bool HandleSkinCommand(TMessage& message);
  // False when the message goes on to the standard button.
  bool HandleSkinnedMessage(TMessage& message);

  TsCommonData skinData_;
  TsFadeTimerRef fade_;
  TacAnimatEvents animatEvents_ = kDefaultAnimatEvents;
  TsDisabledKind disabledKind_ = dkBlended;
  bool showFocus_ = true;
  bool down_ = false;
  int focusMargin_ = 1;
  int contentMargin_ = 6;
  bool wordWrap_ = true;
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
  bool clicked_ = false;     // a press began on the button
  bool releasing_ = false;   // the release is being shown: the window still says pushed
  bool forcePressed_ = false;  // shows the pressed look of a click quicker than its fade
};

}  // namespace klarvik
