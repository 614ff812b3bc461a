// Where things are in a skinned window: frame, caption, menu bar and client offsets, the
// caption buttons' glyphs and sizes, and the title's layout.
#include <algorithm>

#include "runtime/application.h"
#include "runtime/menus.h"
#include "window/skin_provider.h"

namespace klarvik {

namespace {

constexpr SIZE kMissingGlyphSize{21, 21};

// Read once: they only change with the system's settings, which restart the session's look.
int SystemCaptionHeight(bool tool) {
  static const int normal = GetSystemMetrics(SM_CYCAPTION);
  static const int small = GetSystemMetrics(SM_CYSMCAPTION);
  return tool ? small : normal;
}

// Indexes into the cached caption-button glyphs.
enum CaptionGlyph : std::size_t { kClose, kCloseAlone, kMax, kNorm, kMin, kHelp, kSmallClose, kSmallMax, kSmallNorm, kSmallMin, kSmallHelp };

}  // namespace

Rect TsSkinProvider::WindowRect() const {
  RECT bounds{};
  if (form_->HandleAllocated()) GetWindowRect(const_cast<TCustomForm*>(form_)->Handle(), &bounds);
  return FromRECT(bounds);
}

Rect TsSkinProvider::ClientRectInWindow() const {
  if (!form_->HandleAllocated()) return {};
  HWND window = const_cast<TCustomForm*>(form_)->Handle();
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const Rect bounds = WindowRect();
  return FromRECT(client).Offset(-bounds.left, -bounds.top);
}

bool TsSkinProvider::HasBorder() const {
  if (form_->BorderStyle() != TFormBorderStyle::bsNone) return true;
  return form_->HandleAllocated() && (GetWindowLongW(const_cast<TCustomForm*>(form_)->Handle(), GWL_STYLE) & WS_CHILD);
}

bool TsSkinProvider::IsToolWindow() const {
  return form_->BorderStyle() == TFormBorderStyle::bsToolWindow || form_->BorderStyle() == TFormBorderStyle::bsSizeToolWin;
}

bool TsSkinProvider::WindowMaximized() const {
  return form_->HandleAllocated() && IsZoomed(const_cast<TCustomForm*>(form_)->Handle());
}

bool TsSkinProvider::WindowMinimized() const {
  return form_->HandleAllocated() && IsIconic(const_cast<TCustomForm*>(form_)->Handle());
}

// Asked of the form, not of the window: the provider takes the system menu style off the
// window while it draws the frame.
bool TsSkinProvider::HasSystemMenu() const {
  return form_->BorderStyle() != TFormBorderStyle::bsNone && (form_->BorderIcons() & biSystemMenu);
}

bool TsSkinProvider::MinimizeVisible() const {
  const TFormBorderStyle style = form_->BorderStyle();
  return HasSystemMenu() && (form_->BorderIcons() & biMinimize) &&
         (style == TFormBorderStyle::bsSingle || style == TFormBorderStyle::bsSizeable);
}

bool TsSkinProvider::MaximizeVisible() const {
  return HasSystemMenu() && (WindowMinimized() || ((form_->BorderIcons() & biMaximize) &&
                                                   form_->BorderStyle() == TFormBorderStyle::bsSizeable));
}

bool TsSkinProvider::HasBarMenu() const {
  TMainMenu* menu = form_->Menu();
  return menu && menu->Items()->Count() > 0 && form_->BorderStyle() != TFormBorderStyle::bsDialog;
}

int TsSkinProvider::FrameWidth() const {
  if (!form_->HandleAllocated()) return 0;
  const LONG style = GetWindowLongW(const_cast<TCustomForm*>(form_)->Handle(), GWL_STYLE);
  if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
  if (style & WS_BORDER) return GetSystemMetrics(SM_CXDLGFRAME);
  return 0;
}

int TsSkinProvider::CaptionHeight() const {
  if (!form_->HandleAllocated()) return 0;
  const bool minimized = WindowMinimized();
  const LONG style = GetWindowLongW(const_cast<TCustomForm*>(form_)->Handle(), GWL_STYLE);
  if (!minimized && (!HasBorder() || (style & WS_CAPTION) != WS_CAPTION)) return 0;
  return SystemCaptionHeight(IsToolWindow() && !minimized);
}

int TsSkinProvider::MenuLineHeight() const { return HasBarMenu() ? GetSystemMetrics(SM_CYMENU) - 1 : 0; }

int TsSkinProvider::MenuLineCount() {
  if (menuLineCount_ >= 0) return menuLineCount_;
  menuLineCount_ = 0;
  if (!HasBarMenu() || !form_->HandleAllocated() || WindowMinimized()) return menuLineCount_;
  HWND window = form_->Handle();
  RECT item{};
  if (!GetMenuItemRect(window, GetMenu(window), 0, &item)) return menuLineCount_;
  const Rect bounds = WindowRect();
  const int clientTop = bounds.top + ClientRectInWindow().top;
  // Each further line pushes the first item up by one menu line.
  const int lineHeight = GetSystemMetrics(SM_CYMENU) - 2;
  menuLineCount_ = item.bottom >= clientTop - 1 ? 1 : (clientTop - item.bottom) / std::max(1, lineHeight) + 1;
  return menuLineCount_;
}

int TsSkinProvider::ClientOffsetX() const { return ClientRectInWindow().left; }

int TsSkinProvider::ClientOffsetY() const { return ClientRectInWindow().top; }

int TsSkinProvider::ImageWidth() const {
  if (WindowMinimized() && Application && Application->MainForm() != form_) return 160;
  return WindowRect().Width();
}

SIZE TsSkinProvider::ButtonSize(const CaptionButtonSlot& button) const {
  const TsSkinTables* tables = skinData_->Tables();
  if (!tables || !tables->IsValidMaskIndex(button.GlyphIndex)) return kMissingGlyphSize;
  const int height = tables->IsValidMaskIndex(closeButton_.GlyphIndex)
                         ? StateHeight(tables->Masks[static_cast<std::size_t>(closeButton_.GlyphIndex)])
                         : kMissingGlyphSize.cy;
  return SIZE{StateWidth(tables->Masks[static_cast<std::size_t>(button.GlyphIndex)]), height};
}

int TsSkinProvider::ButtonsWidth() const {
  const TsSkinTables* tables = skinData_->Tables();
  if (!tables || !HasSystemMenu()) return 0;
  const int spacing = largeButtons_ ? tables->SkinData.BISpace : 0;
  int width = tables->SkinData.BIRight + ButtonSize(closeButton_).cx;
  if (MaximizeVisible()) width += ButtonSize(maximizeButton_).cx + spacing;
  if (MinimizeVisible()) width += ButtonSize(minimizeButton_).cx + spacing;
  return width;
}

bool TsSkinProvider::IconShown() const {
  const TFormBorderStyle style = form_->BorderStyle();
  return TitleIcon.Visible && ShowAppIcon && (style == TFormBorderStyle::bsSingle || style == TFormBorderStyle::bsSizeable) &&
         HasSystemMenu();
}

SIZE TsSkinProvider::IconSize() const {
  const int h = CaptionHeight();
  const int automatic = h <= 8 ? 1 : h <= 16 ? 8 : 16;
  return SIZE{TitleIcon.Width ? TitleIcon.Width : automatic, TitleIcon.Height ? TitleIcon.Height : automatic};
}

void TsSkinProvider::SelectCaptionGlyphs() {
  const TsSkinTables* tables = skinData_->Tables();
  if (!tables) return;
  const auto& glyphs = tables->Cached.CaptionButtons;
  const TFormBorderStyle style = form_->BorderStyle();
  largeButtons_ = style == TFormBorderStyle::bsSingle || style == TFormBorderStyle::bsSizeable;
  const auto useLargeSet = [&] {
    largeButtons_ = true;
    minimizeButton_.GlyphIndex = glyphs[kMin];
    maximizeButton_.GlyphIndex = glyphs[kMax];
    helpButton_.GlyphIndex = glyphs[kHelp];
    const bool alone = !MaximizeVisible() && !MinimizeVisible() && glyphs[kCloseAlone] >= 0;
    closeButton_.GlyphIndex = glyphs[alone ? kCloseAlone : kClose];
    minimizeButton_.TopAligned = maximizeButton_.TopAligned = closeButton_.TopAligned = true;
  };
  if (largeButtons_) {
    useLargeSet();
  } else {
    closeButton_.GlyphIndex = glyphs[kSmallClose];
    minimizeButton_.GlyphIndex = glyphs[kSmallMin];
    maximizeButton_.GlyphIndex = glyphs[kSmallMax];
    helpButton_.GlyphIndex = glyphs[kSmallHelp] >= 0 ? glyphs[kSmallHelp] : glyphs[kHelp];
    minimizeButton_.TopAligned = maximizeButton_.TopAligned = closeButton_.TopAligned = false;
    if (closeButton_.GlyphIndex < 0) useLargeSet();
  }
  minimizeButton_.HitCode = HTMINBUTTON;
  maximizeButton_.HitCode = HTMAXBUTTON;
  closeButton_.HitCode = HTCLOSE;
  helpButton_.HitCode = HTHELP;
}

void TsSkinProvider::PlaceButton(CaptionButtonSlot& button, int& x, int topLine) {
  const SIZE size = ButtonSize(button);
  const int top = button.TopAligned && topLine >= 0 ? topLine : captionCenterY_ - size.cy / 2;
  button.Bounds = Rect{x - size.cx, top, x, top + size.cy};
  button.State = std::max(button.State, 0);
  x = button.Bounds.left - (largeButtons_ ? skinData_->Tables()->SkinData.BISpace : 0);
}

void TsSkinProvider::LayoutTitle() {
  const TsSkinTables& tables = *skinData_->Tables();
  const auto& glyphs = tables.Cached.CaptionButtons;
  const int frame = FrameWidth();
  const bool maximized = WindowMaximized();
  captionCenterY_ = CaptionHeight() / 2 + frame / 2 + (maximized ? 2 : 0);
  const int topLine = tables.SkinData.BIVAlign == 1 ? (maximized ? GetSystemMetrics(SM_CXFRAME) - 1 : 0) : -1;

  iconRect_ = Rect{frame + tables.SkinData.BILeft, 0, frame + tables.SkinData.BILeft, 0};
  if (IconShown()) {
    const SIZE icon = IconSize();
    iconRect_.top = captionCenterY_ - icon.cy / 2;
    iconRect_.right = iconRect_.left + icon.cx;
    iconRect_.bottom = iconRect_.top + icon.cy;
  }

  // The maximize button shows restore while maximized; minimize shows restore while an
  // owned window is minimized.
  const bool large = largeButtons_;
  maximizeButton_.GlyphIndex = glyphs[large ? (maximized ? kNorm : kMax) : (maximized ? kSmallNorm : kSmallMax)];
  const bool restoreFromMinimized = WindowMinimized() && Application && Application->MainForm() != form_;
  minimizeButton_.GlyphIndex = glyphs[large ? (restoreFromMinimized ? kNorm : kMin) : (restoreFromMinimized ? kSmallNorm : kSmallMin)];
  if (!large && maximizeButton_.GlyphIndex < 0) maximizeButton_.GlyphIndex = glyphs[maximized ? kNorm : kMax];
  if (!large && minimizeButton_.GlyphIndex < 0) minimizeButton_.GlyphIndex = glyphs[restoreFromMinimized ? kNorm : kMin];

  for (CaptionButtonSlot* button : {&closeButton_, &maximizeButton_, &minimizeButton_, &helpButton_}) {
    button->Bounds = Rect{};
    if (button->State < 0) button->State = 0;
  }
  helpButton_.State = -1;
  if (!HasSystemMenu() || CaptionHeight() == 0) {
    closeButton_.State = maximizeButton_.State = minimizeButton_.State = -1;
    return;
  }
  int x = ImageWidth() - tables.SkinData.BIRight - frame;
  PlaceButton(closeButton_, x, topLine);
  if (MaximizeVisible()) {
    PlaceButton(maximizeButton_, x, topLine);
  } else {
    maximizeButton_.State = -1;
  }
  if (MinimizeVisible()) {
    PlaceButton(minimizeButton_, x, topLine);
  } else {
    minimizeButton_.State = -1;
  }
}

}  // namespace klarvik
