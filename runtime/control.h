#pragma once
// TControl: what every visible control has, windowed or not: bounds, parent, visibility,
// enabled state, caption, font, colour and the message entry point WndProc.
#include <windows.h>

#include <string>

#include "runtime/component.h"
#include "runtime/font.h"
#include "runtime/messages.h"
#include "win/rect.h"

namespace klarvik {

enum TControlStyleFlag : unsigned { csOpaque = 1, csAcceptsControls = 2, csClickEvents = 4, csCaptureMouse = 8 };

enum class TBiDiMode { bdLeftToRight, bdRightToLeft };

enum class TMouseButton { mbLeft, mbRight };

// The mouse pointer shown over a control; the values are the familiar ones.
enum TCursor : int { crDefault = 0, crHandPoint = -21 };

class TWinControl;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  virtual void SetBounds(int left, int top, int width, int height);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  // In the parent's client coordinates (screen coordinates for a top-level window).
  Rect BoundsRect() const { return Rect{left_, top_, left_ + width_, top_ + height_}; }
  virtual Rect ClientRect() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible itself and through every parent.
  bool Showing() const;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  // With ParentFont the control takes its parent's font and follows its changes;
  // changing the control's own font turns it off.
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);

  TColor Color() const { return color_; }
  void SetColor(TColor color);

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }

  unsigned ControlStyle() const { return controlStyle_; }
  void SetControlStyle(unsigned style) { controlStyle_ = style; }

  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode mode) { biDiMode_ = mode; }
  bool IsRightToLeft() const { return biDiMode_ != TBiDiMode::bdLeftToRight; }

  virtual void Invalidate();
  // Invalidate, then paint now.
  void Repaint();
  // Paints what is already invalid now.
  virtual void Update();

  // Builds a TMessage and hands it to WindowProc.
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
  // One switch from message to handler; unhandled messages go to DefaultHandler.
  virtual void WndProc(TMessage& Message);
  // The handler every message of the control goes to first: WndProc until another
  // component takes the control's messages over.
  TWndMethod WindowProc() const { return windowProc_; }
  void SetWindowProc(TWndMethod handler) { windowProc_ = handler ? handler : OwnWindowProc(); }
  TWndMethod OwnWindowProc() { return MakeWndMethod<&TControl::WndProc>(this); }

  virtual void Click();
  TNotifyEvent OnClick;
  TNotifyEvent OnResize;

  // The font changed on the parent; with ParentFont, copy it.
  virtual void ParentFontChanged();

 protected:
  virtual void DefaultHandler(TMessage& Message);

  // Hooks run after the property has changed.
  virtual void TextChanged();
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void EnabledChanged();
  virtual void VisibleChanged();
  virtual void Resize();

  // Mouse input in client coordinates.
  virtual void MouseDown(TMouseButton button, WPARAM keys, int x, int y);
  virtual void MouseUp(TMouseButton button, WPARAM keys, int x, int y);
  virtual void MouseMove(WPARAM keys, int x, int y);
  // The mouse came over the control, or left it.
  virtual void MouseEnter();
  virtual void MouseLeave();

  void WMLButtonDown(TMessage& message);
  void WMLButtonUp(TMessage& message);
  void WMRButtonDown(TMessage& message);
  void WMRButtonUp(TMessage& message);
  void WMMouseMove(TMessage& message);

  // Stores the bounds without moving anything (the window already moved).
  void UpdateBoundsFields(int left, int top, int width, int height);
  void SetParentField(TWinControl* parent) { parent_ = parent; }
  void SetVisibleField(bool visible) { visible_ = visible; }
  // Records a text the window already shows.
  void SetCaptionField(const std::wstring& caption) { caption_ = caption; }
  // True for windows whose class reports clicks itself (a standard button's BN_CLICKED), so
  // a mouse-up does not click a second time.
  virtual bool ReportsOwnClicks() const;
  // Starts or ends mouse capture for this control (the parent's window captures for a graphic control).
  virtual void SetMouseCapture(bool capture);

 private:
  friend class TWinControl;
  void OwnFontChanged();

  TWinControl* parent_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  bool parentFont_ = true;
  bool copyingParentFont_ = false;
  bool clicking_ = false;
  std::wstring caption_;
  TFont font_;
  TColor color_ = clBtnFace;
  unsigned controlStyle_ = csClickEvents | csCaptureMouse;
  TCursor cursor_ = crDefault;
  TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
  TWndMethod windowProc_ = OwnWindowProc();
};

}  // namespace klarvik
