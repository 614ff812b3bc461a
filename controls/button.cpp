#include "controls/button.h"

#include <algorithm>

#include "controls/fading_commands.h"
#include "controls/skinned_text.h"
#include "paint/primitives/focus_frame.h"
#include "runtime/colors.h"
#include "skin/manager/skin_broadcast.h"
#include "win/handles.h"
#include "win/visual_theme.h"

namespace klarvik {

namespace {

// Push-button part and states of the system's theme.
constexpr int kThemePushButton = 1;
constexpr int kThemeNormal = 1, kThemeHot = 2, kThemePressed = 3, kThemeDisabled = 4, kThemeDefaulted = 5;

bool LeftButtonHeld() { return (GetKeyState(VK_LBUTTON) & 0x8000) != 0; }

}  // namespace

TsButton::TsButton(TComponent* AOwner) : TWinControl(AOwner), skinData_(this, true) {
  skinData_.ControlKind = kKindButton;
  SetControlStyle(ControlStyle() & ~csOpaque);
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
  skinData_.Refresh();
}

// The fade refers to the skin data: it goes first.
TsButton::~TsButton() {
  fade_.reset();
  RegisterWithForm(false);
}

void TsButton::RegisterWithForm(bool add) {
  TCustomForm* form = Parent() ? ParentFormOf(*this) : nullptr;
  if (!form) return;
  if (default_) form->SetDefaultButton(add ? this : (form->DefaultButton() == this ? nullptr : form->DefaultButton()));
  if (cancel_) form->SetCancelButton(add ? this : (form->CancelButton() == this ? nullptr : form->CancelButton()));
}

void TsButton::SetDefault(bool value) {
  if (value == default_) return;
  if (!value) RegisterWithForm(false);
  default_ = value;
  if (value) RegisterWithForm(true);
  skinData_.Invalidate(false);
}

void TsButton::SetCancel(bool value) {
  if (value == cancel_) return;
  if (!value) RegisterWithForm(false);
  cancel_ = value;
  if (value) RegisterWithForm(true);
}

void TsButton::SetParent(TWinControl* parent) {
  RegisterWithForm(false);
  TWinControl::SetParent(parent);
  RegisterWithForm(true);
}

void TsButton::Click() {
  TCustomForm* form = Parent() ? ParentFormOf(*this) : nullptr;
  if (form && modalResult_ != 0) form->SetModalResult(modalResult_);
  TWinControl::Click();
}

void TsButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = L"BUTTON";
  params.Style |= BS_OWNERDRAW;
}

void TsButton::Loaded() {
  TWinControl::Loaded();
  skinData_.Refresh();
}

void TsButton::SetShowFocus(bool value) {
  showFocus_ = value;
  skinData_.Invalidate(false);
}

void TsButton::SetDisabledKind(TsDisabledKind value) {
  disabledKind_ = value;
  if (!IsLoading()) skinData_.Invalidate(false);
}

void TsButton::SetDown(bool value) {
  down_ = value;
  if (!IsLoading()) skinData_.Invalidate(false);
}

void TsButton::SetContentMargin(int value) {
  contentMargin_ = value;
  skinData_.Invalidate(false);
}

void TsButton::SetWordWrap(bool value) {
  wordWrap_ = value;
  skinData_.Invalidate(false);
}

bool TsButton::SkinShown() const {
  return HandleAllocated() && !IsLoading() && !IsDestroying() && Parent() && skinData_.Skinned(true);
}

int TsButton::CurrentState() const {
  bool pushed = forcePressed_;
  if (HandleAllocated() && !releasing_)
    pushed = pushed || (SendMessageW(const_cast<TsButton*>(this)->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  if ((pushed && (skinData_.MouseInside || !LeftButtonHeld())) || down_) return 2;
  if (skinData_.IsActive()) return 1;
  TCustomForm* form = Parent() ? ParentFormOf(*const_cast<TsButton*>(this)) : nullptr;
  if (form && form->DefaultButton() == this) return 3;
  return 0;
}

int TsButton::PaintedState() const {
  const TsGeneralData* section = skinData_.Section();
  const int states = section ? section->States : 1;
  const int current = CurrentState();
  if (current == 3 && states < 4) return 1;
  return std::max(0, std::min(current, states - 1));
}

UINT TsButton::CaptionFormat() const {
  UINT format = DT_EXPANDTABS | DT_VCENTER | DT_CENTER | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
  if (IsRightToLeft()) format |= DT_RTLREADING;
  return format;
}

Rect TsButton::CaptionRect(TCanvas& canvas) const {
  const int width = Width(), height = Height();
  Rect measured{contentMargin_, 0, width - contentMargin_, 0};
  canvas.DrawText(Caption(), measured,
                  DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK | DT_CENTER | DT_EXPANDTABS : DT_SINGLELINE));
  const int left = (width - measured.Width()) / 2 - 1;
  const int top = (height - measured.Height()) / 2;
  const Rect caption{left, top, left + measured.Width() + 2, height - top};
  return CurrentState() == 2 ? caption.Offset(1, 1) : caption;
}

void TsButton::DrawCaptionAndFocus(TCanvas& canvas) {
  const Rect caption = CaptionRect(canvas);
  DrawSkinnedText(canvas, Caption(), true, CurrentState() != 0, skinData_, CaptionFormat(), caption);
  const TsSkinManager* manager = skinData_.Manager();
  const TsGeneralData* section = skinData_.Section();
  const bool focused = HandleAllocated() && GetFocus() == const_cast<TsButton*>(this)->Handle();
  if (!focused || !manager || !manager->ButtonsOptions.ShowFocusRect || !Enabled() || Caption().empty() || !showFocus_ ||
      !section || !section->ShowFocus)
    return;
  Rect frame{caption.left - focusMargin_ - 1, caption.top - focusMargin_, caption.right + focusMargin_ + 1,
             caption.bottom + focusMargin_};
  frame.top = std::max(frame.top, 3);
  frame.bottom = std::min(frame.bottom, Height() - 3);
  const TsSkinTables& tables = *skinData_.Tables();
  DrawDottedFocusRect(skinData_.CacheBitmap()->Pixels(), frame, tables.ColorRef(section->StateProps[1].FontColors[0]),
                      kNoFocusColor);
}

bool TsButton::PrepareCache() {
  TacParentCache parent;
  if (!skinData_.PaintFace(PaintedState(), parent)) return false;
  TBitmap& cache = *skinData_.CacheBitmap();
  DrawCaptionAndFocus(cache.Canvas());
  if (!Enabled()) ApplyDisabledLook(cache, disabledKind_, parent);
  skinData_.BackgroundDirty = false;
  return true;
}

void TsButton::PaintSkinned(HDC dc) {
  if (skinData_.IsPaintLocked()) return;
  if (!fade_) {
    skinData_.UpdatePartlyHidden();
    // What shows of the parent around a button cut by its edge may have changed.
    if (skinData_.PartlyHidden) skinData_.BackgroundDirty = true;
  }
  if (skinData_.BackgroundDirty && !fade_ && !PrepareCache()) return;
  TBitmap* cache = skinData_.CacheBitmap();
  if (!cache || cache->Empty()) return;
  // The cache's own canvas holds its bitmap: no second DC may select it.
  BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TsButton::DrawStandardFace(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT face = item.rcItem;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0 || down_;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  TCustomForm* form = Parent() ? ParentFormOf(*this) : nullptr;
  const bool framed = focused || (form && form->DefaultButton() == this);
  const TsSkinManager* manager = skinData_.Manager();
  const bool focusRect = focused && !(item.itemState & ODS_NOFOCUSRECT) && (!manager || manager->ButtonsOptions.ShowFocusRect);
  const VisualTheme theme(item.hwndItem, L"BUTTON");
  RECT content = face;
  if (theme) {
    const int state = disabled ? kThemeDisabled
                      : pushed ? kThemePressed
                      : skinData_.MouseInside ? kThemeHot
                      : framed ? kThemeDefaulted
                                : kThemeNormal;
    theme.DrawParentBackground(item.hwndItem, dc, face);
    theme.DrawBackground(dc, kThemePushButton, state, face);
    InflateRect(&content, -3, -3);
  } else {
    if (framed) {
      FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InflateRect(&face, -1, -1);
    }
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED | DFCS_FLAT : 0));
    content = item.rcItem;
    InflateRect(&content, -4, -4);
  }
  RECT text = item.rcItem;
  if (pushed && !theme) OffsetRect(&text, 1, 1);
  SavedDcState saved(dc);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Font().Handle());
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
  if (item.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  DrawTextW(dc, Caption().c_str(), static_cast<int>(Caption().size()), &text, format);
  if (focusRect) DrawFocusRect(dc, &content);
}

bool TsButton::HandleSkinCommand(TMessage& message) {
  const auto repaint = [this] {
    skinData_.BackgroundDirty = true;
    Invalidate();
  };
  return HandleFadingControlCommand(message, FadingControl{skinData_, fade_, [this] { return PrepareCache(); }, repaint, {}});
}

bool TsButton::HandleSkinnedMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT: {
      if (message.WParam) {
        PaintSkinned(reinterpret_cast<HDC>(message.WParam));
      } else {
        PaintScope paint(Handle());
        PaintSkinned(paint.Dc());
      }
      return true;
    }
    case WM_ERASEBKGND:
    case WM_UPDATEUISTATE:
      message.Result = 1;
      return true;
    case CN_DRAWITEM:
      message.Result = TRUE;
      return true;
    case CM_MOUSEENTER:
      if (!Enabled() || skinData_.MouseInside) return true;
      if (OnMouseEnter) OnMouseEnter(this);
      skinData_.MouseInside = true;
      skinData_.BackgroundDirty = false;
      ChangeState(fade_, skinData_, false, 1, AnimationAllowed(kFadeEnter, animatEvents_, skinData_.Manager()));
      return true;
    case CM_MOUSELEAVE:
      if (!Enabled()) return true;
      if (OnMouseLeave) OnMouseLeave(this);
      skinData_.MouseInside = false;
      skinData_.BackgroundDirty = false;
      ChangeState(fade_, skinData_, false, 1, AnimationAllowed(kFadeLeave, animatEvents_, skinData_.Manager()));
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The standard button takes the press first, so the pressed look is the window's.
      TWinControl::WndProc(message);
      if (!Enabled() || IsDestroying()) return true;
      skinData_.PaintLocked = false;
      clicked_ = true;
      if (!down_) {
        skinData_.BackgroundDirty = false;
        ChangeState(fade_, skinData_, true, 1, AnimationAllowed(kFadeDown, animatEvents_, skinData_.Manager()));
      }
      return true;
    case WM_LBUTTONUP:
      if (clicked_ && Enabled()) {
        clicked_ = false;
        if (fade_ && fade_->Step < fade_->FadeStepTotal) {
          // A click quicker than its press fade still shows the pressed look a moment.
          StopFade(fade_, skinData_);
          forcePressed_ = true;
          skinData_.BackgroundDirty = true;
          TControl::Repaint();
          forcePressed_ = false;
          Sleep(30);
        }
        skinData_.PaintLocked = false;
        skinData_.BackgroundDirty = false;
        releasing_ = true;
        ChangeState(fade_, skinData_, true, 1, AnimationAllowed(kFadeUp, animatEvents_, skinData_.Manager()));
        releasing_ = false;
      }
      // Last: the standard button clicks here, and the click may close the window.
      TWinControl::WndProc(message);
      return true;
    case BM_SETSTATE:
      TWinControl::WndProc(message);
      if (!fade_) {
        skinData_.BackgroundDirty = true;
        Invalidate();
      }
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (message.Msg == WM_KILLFOCUS) {
        StopFade(fade_, skinData_);
        skinData_.UpdateGlow(true, Handle());
      }
      skinData_.HandleMessage(message);
      TWinControl::WndProc(message);
      skinData_.BackgroundDirty = true;
      Invalidate();
      return true;
    case WM_ENABLE:
      if (!message.WParam) StopFade(fade_, skinData_);
      skinData_.OwnerEnabledChanged();
      skinData_.PaintLocked = false;
      skinData_.BackgroundDirty = true;
      Invalidate();
      return true;
    default:
      return false;
  }
}

void TsButton::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND) {
    if (!HandleSkinCommand(Message)) TWinControl::WndProc(Message);
    return;
  }
  if (SkinShown()) {
    if (HandleSkinnedMessage(Message)) return;
    if (skinData_.HandleMessage(Message)) return;
    if (Message.Msg == WM_SETTEXT || Message.Msg == WM_SETFONT) {
      TWinControl::WndProc(Message);
      skinData_.BackgroundDirty = true;
      Invalidate();
      return;
    }
  } else {
    switch (Message.Msg) {
      case CN_DRAWITEM:
        DrawStandardFace(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
        Message.Result = TRUE;
        return;
      case CM_MOUSEENTER:
      case CM_MOUSELEAVE:
        skinData_.MouseInside = Message.Msg == CM_MOUSEENTER;
        Invalidate();
        if (Message.Msg == CM_MOUSEENTER && OnMouseEnter) OnMouseEnter(this);
        if (Message.Msg == CM_MOUSELEAVE && OnMouseLeave) OnMouseLeave(this);
        return;
      default:
        break;
    }
  }
  if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == BN_CLICKED) {
    Click();
    return;
  }
  TWinControl::WndProc(Message);
}

}  // namespace klarvik
