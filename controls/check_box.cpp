#include "controls/check_box.h"

#include <algorithm>

#include "controls/fading_commands.h"
#include "controls/glyph_frames.h"
#include "controls/skinned_text.h"
#include "controls/text_size.h"
#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/focus_frame.h"
#include "paint/primitives/glyph.h"
#include "runtime/colors.h"
#include "skin/manager/skin_broadcast.h"
#include "win/handles.h"
#include "win/visual_theme.h"

namespace klarvik {

namespace {

// The check-box part of the system's theme: four states (normal, hot, pressed,
// disabled) for each of unchecked, checked and mixed.
constexpr int kThemeCheckBox = 3;
constexpr int kClassicBox = 13;  // the standard box's side

int CachedGlyph(const TsSkinTables& tables, TCheckBoxState state) {
  switch (state) {
    case TCheckBoxState::cbChecked: return tables.Cached.CheckGlyphs[0];
    case TCheckBoxState::cbUnchecked: return tables.Cached.CheckGlyphs[1];
    default: return tables.Cached.CheckGlyphs[2];
  }
}

}  // namespace

TsCheckBox::TsCheckBox(TComponent* AOwner) : TWinControl(AOwner), skinData_(this, false) {
  skinData_.ControlKind = kKindCheckBox;
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
  skinData_.Refresh();
}

// The fade refers to the skin data: it goes first.
TsCheckBox::~TsCheckBox() { fade_.reset(); }

void TsCheckBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = L"BUTTON";
  // Drawn by us in either look; the state is ours too.
  params.Style |= BS_OWNERDRAW;
}

void TsCheckBox::Loaded() {
  TWinControl::Loaded();
  skinData_.Refresh();
  FitToText();
}

void TsCheckBox::SetState(TCheckBoxState state) {
  if (state == state_) return;
  if (fade_ && fade_->Step < fade_->FadeStepTotal) StopFade(fade_, skinData_);
  state_ = state;
  skinData_.BackgroundDirty = true;
  Invalidate();
  if (!IsLoading() && OnValueChanged) OnValueChanged(this);
}

void TsCheckBox::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  FitToText();
}

void TsCheckBox::SetShowFocus(bool showFocus) {
  if (showFocus == showFocus_) return;
  showFocus_ = showFocus;
  Invalidate();
}

void TsCheckBox::SetMargin(int value) {
  margin_ = value;
  FitToText();
  Invalidate();
}

void TsCheckBox::SetTextIndent(int value) {
  textIndent_ = value;
  FitToText();
  Invalidate();
}

void TsCheckBox::SetDisabledKind(TsDisabledKind value) {
  disabledKind_ = value;
  Invalidate();
}

void TsCheckBox::TextChanged() {
  TWinControl::TextChanged();
  FitToText();
}

void TsCheckBox::FontChanged() {
  TWinControl::FontChanged();
  FitToText();
}

void TsCheckBox::EnabledChanged() {
  if (!Enabled()) StopFade(fade_, skinData_);
  TWinControl::EnabledChanged();
  skinData_.BackgroundDirty = true;
  Invalidate();
}

bool TsCheckBox::SkinShown() const {
  return !IsLoading() && !IsDestroying() && Parent() && skinData_.Skinned(true);
}

void TsCheckBox::SetGlyph(std::unique_ptr<TBitmap>& glyph, const PixelView& picture) {
  glyph.reset();
  if (!picture.Empty()) {
    glyph = std::make_unique<TBitmap>(picture.width, picture.height);
    CopyRect(glyph->Pixels(), 0, 0, picture, Rect{0, 0, picture.width, picture.height});
  }
  FitToText();
  RepaintFace();
}

void TsCheckBox::SetGlyphChecked(const PixelView& picture) { SetGlyph(glyphChecked_, picture); }
void TsCheckBox::SetGlyphUnChecked(const PixelView& picture) { SetGlyph(glyphUnChecked_, picture); }

TBitmap* TsCheckBox::OwnGlyph() const {
  TBitmap* glyph = Checked() ? glyphChecked_.get() : glyphUnChecked_.get();
  // A picture of no height holds no look: none then.
  return glyph && GlyphFrameCount(glyph->Width(), glyph->Height()) > 0 ? glyph : nullptr;
}

int TsCheckBox::GlyphIndex() const {
  const TsSkinTables* tables = skinData_.Tables();
  if (!tables || !SkinShown()) return -1;
  const int index = CachedGlyph(*tables, state_);
  if (!tables->IsValidMaskIndex(index)) return -1;
  const TsMaskData& glyph = tables->Masks[static_cast<std::size_t>(index)];
  return StateWidth(glyph) > 0 && StateHeight(glyph) > 0 ? index : -1;
}

SIZE TsCheckBox::GlyphSize() const {
  if (const TBitmap* glyph = OwnGlyph()) return SIZE{GlyphFrameWidth(glyph->Width(), glyph->Height()), glyph->Height()};
  const int index = GlyphIndex();
  if (index < 0) return SIZE{16, 16};
  const TsMaskData& glyph = skinData_.Tables()->Masks[static_cast<std::size_t>(index)];
  return SIZE{StateWidth(glyph), StateHeight(glyph)};
}

bool TsCheckBox::Pressed() const {
  return HandleAllocated() && (SendMessageW(const_cast<TsCheckBox*>(this)->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
}

bool TsCheckBox::Hot() const { return skinData_.IsActive(); }

int TsCheckBox::GlyphState() const {
  const int state = Pressed() ? 2 : Hot() && !readOnly_ ? 1 : 0;
  const TBitmap* glyph = OwnGlyph();
  return glyph ? std::min(state, GlyphFrameCount(glyph->Width(), glyph->Height()) - 1) : state;
}

void TsCheckBox::FitToText() {
  if (!autoSize_ || IsLoading()) return;
  const SIZE text = SingleLineTextSize(Font(), Caption());
  if (SkinShown()) {
    const SIZE glyph = GlyphSize();
    const int width = glyph.cx + 2 * margin_ + (Caption().empty() ? 0 : text.cx + textIndent_ + 8);
    const int height = std::max<int>(glyph.cy, (Caption().empty() ? 0 : text.cy) + 2 * margin_) + 2;
    SetBounds(Left(), Top(), width, height);
  } else {
    // Room for the box and the whole caption, so no font cuts the text.
    SetBounds(Left(), Top(), text.cx + 20, std::max<int>(text.cy + 4, 20));
  }
}

void TsCheckBox::DrawCaptionAndGlyph(TBitmap& cache) {
  TCanvas& canvas = cache.Canvas();
  const SIZE glyph = GlyphSize();
  const int width = Width(), height = Height();
  const bool rightToLeft = IsRightToLeft();
  if (!Caption().empty()) {
    const int textWidth = width - glyph.cx - textIndent_ - 2 * margin_ - 2;
    Rect measured{0, 0, textWidth, 0};
    canvas.DrawText(Caption(), measured, DT_CALCRECT | DT_SINGLELINE);
    const int top = std::max((height - measured.Height()) / 2, margin_);
    Rect caption{0, top, 0, top + measured.Height()};
    if (rightToLeft) {
      caption.right = width - margin_ - glyph.cx - textIndent_ - 4;
      caption.left = caption.right - measured.Width();
    } else {
      caption.left = margin_ + glyph.cx + textIndent_ + 4;
      caption.right = caption.left + measured.Width();
    }
    caption = caption.Offset(0, -1);
    const UINT format = DT_SINGLELINE | (rightToLeft ? DT_RTLREADING : 0);
    DrawSkinnedText(canvas, Caption(), true, Hot() && !readOnly_, skinData_, format, caption);
    const bool focused = HandleAllocated() && GetFocus() == Handle();
    const TsGeneralData* section = skinData_.Section();
    if (focused && showFocus_ && section) {
      const Rect frame{caption.left - 2, caption.top, caption.right + 2, caption.bottom + 1};
      DrawDottedFocusRect(cache.Pixels(), frame, skinData_.Tables()->ColorRef(section->StateProps[1].FontColors[0]),
                          kNoFocusColor);
    }
  }
  const int x = rightToLeft ? width - glyph.cx - margin_ : margin_;
  const Point at{x, (height - glyph.cy) / 2};
  if (TBitmap* own = OwnGlyph()) {
    const int frame = GlyphState() * glyph.cx;
    BlitGlyphWithMask(cache.Pixels(), at, Rect{frame, 0, frame + glyph.cx, glyph.cy}, 0, kGlyphNormal, own->Pixels());
    return;
  }
  const int index = GlyphIndex();
  if (index < 0) return;
  TacParentCache itself;
  itself.Image = cache.Pixels();
  itself.Ready = true;
  itself.FillColor = kKeyColor;
  DrawMaskGlyph(cache.Pixels(), at, GlyphState(), itself, skinData_.Tables()->Masks[static_cast<std::size_t>(index)],
                kGlyphNormal, skinData_.Tables());
}

bool TsCheckBox::PrepareCache() {
  TacParentCache parent;
  if (!skinData_.PaintFace(Hot() && !readOnly_ ? 1 : 0, parent)) return false;
  TBitmap& cache = *skinData_.CacheBitmap();
  DrawCaptionAndGlyph(cache);
  if (!Enabled()) ApplyDisabledLook(cache, disabledKind_, parent);
  skinData_.BackgroundDirty = false;
  return true;
}

void TsCheckBox::DrawSkinnedFace(HDC dc) {
  if (skinData_.IsPaintLocked()) return;
  skinData_.UpdatePartlyHidden();
  if (!fade_ && !PrepareCache()) return;
  TBitmap* cache = skinData_.CacheBitmap();
  if (!cache || cache->Empty()) return;
  // The cache's own canvas holds its bitmap.
  BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TsCheckBox::DrawStandardFace(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT whole = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  if (Parent()) FillRect(dc, &whole, Parent()->Brush().Handle());
  const int top = (whole.bottom - whole.top - kClassicBox) / 2;
  RECT box{whole.left, top, whole.left + kClassicBox, top + kClassicBox};
  const VisualTheme theme(item.hwndItem, L"BUTTON");
  const int base = state_ == TCheckBoxState::cbChecked ? 4 : state_ == TCheckBoxState::cbGrayed ? 8 : 0;
  const int look = disabled ? 4 : pressed ? 3 : skinData_.MouseInside ? 2 : 1;
  if (!theme || !theme.DrawBackground(dc, kThemeCheckBox, base + look, box)) {
    UINT flags = DFCS_BUTTONCHECK | (pressed ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0);
    if (state_ == TCheckBoxState::cbChecked) flags |= DFCS_CHECKED;
    if (state_ == TCheckBoxState::cbGrayed) flags |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    DrawFrameControl(dc, &box, DFC_BUTTON, flags);
  }
  RECT text{box.right + 4, whole.top, whole.right, whole.bottom};
  SavedDcState saved(dc);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Font().Handle());
  SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : ColorToRGB(Font().Color()));
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
  if (item.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  DrawTextW(dc, Caption().c_str(), static_cast<int>(Caption().size()), &text, format);
  if ((item.itemState & ODS_FOCUS) && showFocus_ && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT measured = text;
    DrawTextW(dc, Caption().c_str(), static_cast<int>(Caption().size()), &measured, format | DT_CALCRECT);
    InflateRect(&measured, 1, 1);
    DrawFocusRect(dc, &measured);
  }
}

void TsCheckBox::RepaintFace() {
  skinData_.BackgroundDirty = true;
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TsCheckBox::Toggle() {
  if (readOnly_) return;
  switch (state_) {
    case TCheckBoxState::cbUnchecked:
      SetState(TCheckBoxState::cbChecked);
      break;
    case TCheckBoxState::cbChecked:
      SetState(allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
      break;
    default:
      SetState(TCheckBoxState::cbUnchecked);
      break;
  }
  Click();
}

bool TsCheckBox::HandleSkinCommand(TMessage& message) {
  return HandleFadingControlCommand(message, FadingControl{skinData_, fade_, [this] { return PrepareCache(); },
                                                           [this] { RepaintFace(); }, [this] { FitToText(); }, true});
}

void TsCheckBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SKINCOMMAND:
      if (!HandleSkinCommand(Message)) TWinControl::WndProc(Message);
      return;
    case CN_DRAWITEM:
      if (HandleAllocated() && SkinShown()) {
        DrawSkinnedFace(reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam)->hDC);
      } else {
        DrawStandardFace(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
      }
      Message.Result = TRUE;
      return;
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == BN_CLICKED) {
        Toggle();
        return;
      }
      break;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_UPDATEUISTATE:
      // Keyboard use would reveal the focus frame; without ShowFocus it stays hidden.
      if (!showFocus_) Message.WParam = MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
      if (readOnly_ && (Message.Msg != WM_KEYDOWN || Message.WParam == VK_SPACE)) return;
      TWinControl::WndProc(Message);
      if (Message.Msg != WM_KEYDOWN && SkinShown() && Enabled())
        ChangeState(fade_, skinData_, true, 1, AnimationAllowed(kFadeDown, animatEvents_, skinData_.Manager()));
      return;
    case WM_LBUTTONUP:
    case WM_KEYUP:
      if (readOnly_ && (Message.Msg != WM_KEYUP || Message.WParam == VK_SPACE)) return;
      break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      const bool entering = Message.Msg == CM_MOUSEENTER;
      if (!Enabled() || skinData_.MouseInside == entering) return;
      skinData_.MouseInside = entering;
      if (SkinShown()) {
        skinData_.BackgroundDirty = false;
        ChangeState(fade_, skinData_, false, 1,
                    AnimationAllowed(entering ? kFadeEnter : kFadeLeave, animatEvents_, skinData_.Manager()));
      } else {
        Invalidate();
      }
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (Message.Msg == WM_KILLFOCUS) StopFade(fade_, skinData_);
      skinData_.HandleMessage(Message);
      TWinControl::WndProc(Message);
      RepaintFace();
      return;
    default:
      break;
  }
  if (SkinShown() && skinData_.HandleMessage(Message)) return;
  TWinControl::WndProc(Message);
}

}  // namespace klarvik
