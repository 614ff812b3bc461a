// The form image: one picture of the whole window in the skin (frame, title with icon,
// caption and caption buttons, menu bar band, background), and the copies from it onto
// the window.
#include <algorithm>
#include <vector>

#include "base/colors.h"
#include "controls/skinned_text.h"
#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/border_mask.h"
#include "paint/primitives/glyph.h"
#include "paint/primitives/mask_entry.h"
#include "paint/primitives/section_item.h"
#include "runtime/application.h"
#include "runtime/menus.h"
#include "runtime/program_icon.h"
#include "win/handles.h"
#include "window/skin_provider.h"

namespace klarvik {

namespace {

constexpr UINT kCaptionFormat = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
constexpr std::uint32_t kMagenta = 0xFF00FF;

// The image itself as the background its own layers are laid over.
TacParentCache SelfAsParent(TBitmap& image, TColor fill) {
  TacParentCache parent;
  parent.Image = image.Pixels();
  parent.FillColor = fill;
  parent.Ready = true;
  return parent;
}

// Paints a section over `rect` of the image, the image's own pixels there serving as the
// background a see-through section shows (taken aside first: the painters fill before
// they copy the background in).
void PaintSectionOverImage(TBitmap& image, const Rect& rect, const TsSkinTables& tables, int section, int state) {
  const Rect area = rect.Intersect(BoundsOf(image.Width(), image.Height()));
  if (area.Empty() || !tables.IsValidSectionIndex(section)) return;
  SkinBitmap under = CreateBitmap32(area.Width(), area.Height());
  CopyRect(under.View(), 0, 0, image.Pixels(), area);
  SectionPaint paint;
  paint.tables = &tables;
  paint.section = section;
  paint.parent.Image = under.View();
  paint.parent.OffsetX = -area.left;
  paint.parent.OffsetY = -area.top;
  paint.parent.FillColor = tables.ColorRef(tables.MainColor());
  paint.parent.Ready = true;
  paint.state = state;
  PaintSectionItem(image.Pixels(), area, paint, false);
}

void FillCaptionFont(TFont& font, BYTE charset) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
  const LOGFONTW& caption = metrics.lfCaptionFont;
  font.SetName(caption.lfFaceName);
  font.SetHeight(caption.lfHeight);
  font.SetStyle((caption.lfWeight >= FW_BOLD ? fsBold : 0u) | (caption.lfItalic ? fsItalic : 0u));
  font.SetCharset(charset);
}

}  // namespace

int TsSkinProvider::TitleSection() const {
  const TsSkinTables* tables = skinData_->Tables();
  if (!tables) return -1;
  return tables->IndexOfSection(TitleSkin.empty() ? std::string_view("FORMTITLE") : std::string_view(TitleSkin));
}

// The look of a section: active (1) only when the section has one.
int TsSkinProvider::LookIndex(int section) const {
  const TsSkinTables& tables = *skinData_->Tables();
  if (!tables.IsValidSectionIndex(section)) return 0;
  return std::min(formIsActive_ ? 1 : 0, tables.Sections[static_cast<std::size_t>(section)].States - 1);
}

TColor TsSkinProvider::PlainColor() const {
  if (skinData_->CustomColor()) return TColor{static_cast<std::int32_t>(ColorToRGB(form_->Color()))};
  return skinData_->ControlColor(LookIndex(skinData_->SectionIndex), nullptr);
}

bool TsSkinProvider::PlainBackground() {
  if (skinData_->SkinState & kSkinStateUndetermined) skinData_->UpdateSkinState(false);
  return (skinData_->SkinState & kSkinStatePlain) != 0;
}

void TsSkinProvider::PrepareImage() {
  TBitmap* image = skinData_->CacheBitmap();
  const bool created = image->Empty();
  const int height = WindowMinimized() && Application && Application->MainForm() != form_
                         ? FrameWidth() + CaptionHeight() + 2
                         : WindowRect().Height();
  if (image->Width() != ImageWidth() || image->Height() != height) {
    image->SetSize(ImageWidth(), height);
    MarkImageChanged();
  }
  // A new picture: the form and its children decide again whether their backgrounds are plain.
  if (created && !image->Empty() && !form_->IsLoading()) skinData_->UpdateSkinState(true);
}

bool TsSkinProvider::RebuildImage() {
  if (!WindowReady() || !SkinActive()) return false;
  PrepareImage();
  TBitmap& image = *skinData_->CacheBitmap();
  if (image.Empty()) return false;
  if (!ImageChanged()) return true;
  LayoutTitle();
  regionDirty_ = true;
  if (!PaintFrameAndBackground(image)) return false;
  PaintGrip(image);
  if (CaptionHeight() > 0 && DrawNonClientArea) PaintTitle(image);
  PaintMenuBand(image);
  if (CaptionHeight() > 0 && DrawNonClientArea) {
    PaintCaptionText(image);
    PaintCaptionButtons(image);
  }
  skinData_->BackgroundDirty = false;
  return true;
}

bool TsSkinProvider::PaintFrameAndBackground(TBitmap& image) {
  const TsSkinTables& tables = *skinData_->Tables();
  const int section = skinData_->SectionIndex;
  const int look = LookIndex(section);
  const Rect whole = BoundsOf(image.Width(), image.Height());
  const TColor mainColor = tables.ColorRef(tables.MainColor());
  if (PlainBackground()) {
    const TColor fill = PlainColor();
    FillRect32(image.Pixels(), whole, fill, 255);
    if (tables.IsValidMaskIndex(skinData_->BorderMaskIndex)) {
      DrawBorderMask(image.Pixels(), whole, SelfAsParent(image, fill), false, look,
                     tables.Masks[static_cast<std::size_t>(skinData_->BorderMaskIndex)], &tables);
    }
    return true;
  }
  SectionPaint paint;
  paint.tables = &tables;
  paint.section = section;
  paint.parent.FillColor = mainColor;
  paint.pattern = skinData_->PatternIndex;
  paint.hotPattern = skinData_->HotPatternIndex;
  paint.state = look;
  PaintSectionItem(image.Pixels(), whole, paint, false);
  return true;
}

void TsSkinProvider::PaintGrip(TBitmap& image) {
  const TsSkinTables& tables = *skinData_->Tables();
  const int grip = tables.Cached.GripImages[0];
  if (GripMode != TsGripMode::gmRightBottom || !tables.IsValidMaskIndex(grip) || WindowMaximized() ||
      form_->BorderStyle() != TFormBorderStyle::bsSizeable)
    return;
  const TsMaskData& entry = tables.Masks[static_cast<std::size_t>(grip)];
  const Rect client = ClientRectInWindow();
  const Point at{client.right - StateWidth(entry) - 1, client.bottom - StateHeight(entry) - 1};
  DrawMaskGlyph(image.Pixels(), at, 0, SelfAsParent(image, tables.ColorRef(tables.MainColor())), entry, kGlyphNormal, &tables);
}

void TsSkinProvider::PaintTitle(TBitmap& image) {
  const TsSkinTables& tables = *skinData_->Tables();
  const int title = TitleSection();
  const int bandHeight = WindowMinimized() ? image.Height() : FrameWidth() + CaptionHeight();
  const TColor mainColor = tables.ColorRef(tables.MainColor());
  PaintSectionOverImage(image, Rect{0, 0, image.Width(), bandHeight}, tables, title, LookIndex(title));
  PaintTitleIcon(image);
  // The skin's band behind the caption buttons.
  const int titleBar = tables.IndexOfMask(skinData_->SectionIndex, skinData_->SkinSection(), "TITLEBAR");
  if (HasSystemMenu() && tables.IsValidMaskIndex(titleBar)) {
    const TsMaskData& entry = tables.Masks[static_cast<std::size_t>(titleBar)];
    const Rect band{image.Width() - (2 * StateWidth(entry) + ButtonsWidth()), 0, image.Width(),
                    FrameWidth() + CaptionHeight()};
    DrawBorderMask(image.Pixels(), band, SelfAsParent(image, mainColor), false, LookIndex(skinData_->SectionIndex), entry,
                   &tables);
  }
}

void TsSkinProvider::PaintTitleIcon(TBitmap& image) {
  if (iconRect_.Empty()) return;
  PixelView pixels = image.Pixels();
  const Rect area = iconRect_.Intersect(BoundsOf(pixels.width, pixels.height));
  if (area.Empty()) return;
  if (TitleIcon.Glyph && !TitleIcon.Glyph->Empty()) {
    // Magenta is the glyph's transparent colour.
    PixelView glyph = TitleIcon.Glyph->Pixels();
    for (int y = 0; y < std::min(glyph.height, area.Height()); ++y) {
      for (int x = 0; x < std::min(glyph.width, area.Width()); ++x) {
        const std::uint32_t pixel = glyph.At(x, y);
        if ((pixel & 0xFFFFFF) != kMagenta) pixels.At(area.left + x, area.top + y) = pixel | 0xFF000000u;
      }
    }
    return;
  }
  HWND window = form_->Handle();
  auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = ProgramIcon();
  std::vector<std::uint32_t> before;
  before.reserve(static_cast<std::size_t>(area.Width() * area.Height()));
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) before.push_back(pixels.At(x, y));
  DrawIconEx(image.Canvas().Handle(), iconRect_.left, iconRect_.top, icon, iconRect_.Width(), iconRect_.Height(), 0,
             nullptr, DI_NORMAL);
  // GDI leaves alpha alone; the pixels the icon changed become opaque.
  pixels = image.Pixels();
  std::size_t i = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x, ++i)
      if (pixels.At(x, y) != before[i]) pixels.At(x, y) |= 0xFF000000u;
}

void TsSkinProvider::PaintMenuBand(TBitmap& image) {
  const int lineHeight = MenuLineHeight();
  TsSkinManager* manager = skinData_->Manager();
  if (lineHeight <= 0 || !DrawNonClientArea || !manager->SkinnedPopups) return;
  const TsSkinTables& tables = *skinData_->Tables();
  const int section = tables.IndexOfSection(MenuLineSkin.empty() ? std::string_view("MENULINE") : std::string_view(MenuLineSkin));
  const int top = FrameWidth() + CaptionHeight();
  const Rect band{0, top, image.Width(), top + MenuLineCount() * lineHeight + 1};
  PaintSectionOverImage(image, band, tables, section, 0);
  menuLineImage_.SetSize(band.Width(), band.Height());
  if (!menuLineImage_.Empty()) CopyRect(menuLineImage_.Pixels(), 0, 0, image.Pixels(), band);

  // The top-level items' captions, where the system puts them.
  HWND window = form_->Handle();
  HMENU menu = GetMenu(window);
  if (!menu) return;
  const Rect bounds = WindowRect();
  TCanvas& canvas = image.Canvas();
  canvas.Font().Assign(form_->Font());
  const int mainMenu = tables.IndexOfSection("MAINMENU");
  const int textSection = tables.IsValidSectionIndex(mainMenu) ? mainMenu : section;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    RECT item{};
    if (!GetMenuItemRect(window, menu, static_cast<UINT>(i), &item)) continue;
    wchar_t caption[256]{};
    GetMenuStringW(menu, static_cast<UINT>(i), caption, 255, MF_BYPOSITION);
    const Rect r = FromRECT(item).Offset(-bounds.left, -bounds.top);
    const bool enabled = !(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & (MF_DISABLED | MF_GRAYED));
    DrawSectionText(canvas, caption, enabled, *manager, false, textSection, DT_CENTER | DT_VCENTER | DT_SINGLELINE, r);
  }
}

void TsSkinProvider::PaintCaptionText(TBitmap& image) {
  const TsSkinTables& tables = *skinData_->Tables();
  TsSkinManager& manager = *skinData_->Manager();
  const int title = TitleSection();
  const bool hasCaptionSection = tables.IsValidSectionIndex(captionSectionIndex_);
  const int frame = FrameWidth();
  Rect text{frame + (IconShown() ? iconRect_.Width() : 0) + tables.SkinData.BILeft + 4 + (hasCaptionSection ? 2 : 0), 0,
            HasSystemMenu() ? ImageWidth() - ButtonsWidth() - 12 : ImageWidth() - tables.SkinData.BIRight - 12, 0};
  if (text.Width() <= 0) return;

  TCanvas& canvas = image.Canvas();
  FillCaptionFont(canvas.Font(), form_->Font().Charset());
  const bool rightToLeft = form_->IsRightToLeft();
  const UINT format = kCaptionFormat | (rightToLeft ? DT_RTLREADING : 0);
  const std::wstring caption = AddedTitle.ShowMainCaption ? form_->Caption() : std::wstring();
  Rect measured{0, 0, text.Width(), 0};
  if (!caption.empty()) canvas.DrawText(caption, measured, format | DT_CALCRECT);
  const int captionWidth = std::min(measured.Width(), text.Width());
  const int textHeight = std::max(measured.Height(), canvas.TextHeight(L"Wg"));
  text.top = captionCenterY_ - textHeight / 2;
  text.bottom = text.top + textHeight;

  TsCaptionAlignment alignment = CaptionAlignment;
  if (rightToLeft && alignment == TsCaptionAlignment::taLeftJustify) {
    alignment = TsCaptionAlignment::taRightJustify;
  } else if (rightToLeft && alignment == TsCaptionAlignment::taRightJustify) {
    alignment = TsCaptionAlignment::taLeftJustify;
  }
  if (alignment == TsCaptionAlignment::taRightJustify && captionWidth + 4 < text.Width()) {
    text.left = text.right - captionWidth - 4;
  } else if (alignment == TsCaptionAlignment::taCenter) {
    text.left = std::max(text.left, text.left + (text.Width() - captionWidth) / 2);
    text.right = std::min(text.left + captionWidth + 4, text.right);
  }

  int textSection = title;
  if (hasCaptionSection) {
    const Rect behind{text.left - 4, text.top - 2, text.left + captionWidth + 4, text.bottom + 2};
    PaintSectionOverImage(image, behind, tables, captionSectionIndex_, LookIndex(captionSectionIndex_));
    textSection = captionSectionIndex_;
  }
  if (tables.IsValidSectionIndex(title)) {
    const TsGeneralData& record = tables.Sections[static_cast<std::size_t>(title)];
    const int glow = formIsActive_ ? record.HotGlowSize : record.GlowSize;
    const TColor glowColor = tables.ColorRef(formIsActive_ ? record.HotGlowColor : record.GlowColor);
    if (glow > 0 && !caption.empty()) DrawGlowText(image, caption, text, canvas.Font(), glowColor, glow, 0, format);
  }
  if (!caption.empty()) DrawSectionText(canvas, caption, true, manager, LookIndex(textSection) > 0, textSection, format, text);

  if (AddedTitle.Text.empty()) return;
  canvas.Font().Assign(AddedTitle.Font);
  Rect added{caption.empty() ? text.left : text.left + captionWidth + 4, text.top, text.right, text.bottom};
  if (added.Width() <= 4) return;
  const TsGenState& look = tables.Sections[static_cast<std::size_t>(std::max(textSection, 0))]
                               .StateProps[static_cast<std::size_t>(LookIndex(textSection))];
  const TColor sectionColor = tables.ColorRef(look.FontColors[0]);
  const TColor own = AddedTitle.Font.Color();
  TColor color = own == clNone || own == clWindowText ? sectionColor : TColor{static_cast<std::int32_t>(ColorToRGB(own))};
  if (own != clNone && own != clWindowText && !formIsActive_) color = MixColors(color, sectionColor, 0.5);
  canvas.Font().SetColor(color);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.DrawText(AddedTitle.Text, added, format);
}

void TsSkinProvider::PaintCaptionButtons(TBitmap& image) {
  if (!HasSystemMenu()) return;
  // What lies under the buttons, to redraw one of them alone later.
  const int width = FrameWidth() + ButtonsWidth() + 10;
  const int height = 2 * FrameWidth() + CaptionHeight() + MenuLineHeight();
  const Rect saved{image.Width() - width - 1, 0, image.Width() - 1, height};
  titleBackground_.SetSize(saved.Width(), saved.Height());
  if (!titleBackground_.Empty()) CopyRect(titleBackground_.Pixels(), 0, 0, image.Pixels(), saved);
  const bool closeEnabled = !(GetClassLongPtrW(form_->Handle(), GCL_STYLE) & CS_NOCLOSE);
  PaintCaptionButton(image, closeButton_, closeEnabled);
  PaintCaptionButton(image, maximizeButton_, true);
  PaintCaptionButton(image, minimizeButton_, true);
}

void TsSkinProvider::PaintCaptionButton(TBitmap& image, const CaptionButtonSlot& button, bool enabled) {
  const TsSkinTables& tables = *skinData_->Tables();
  if (button.State < 0 || !tables.IsValidMaskIndex(button.GlyphIndex) || button.Bounds.Empty()) return;
  const TsMaskData& entry = tables.Masks[static_cast<std::size_t>(button.GlyphIndex)];
  const bool pale = button.State == 0 && (!formIsActive_ || !enabled);
  DrawMaskGlyph(image.Pixels(), Point{button.Bounds.left, button.Bounds.top}, button.State,
                SelfAsParent(image, tables.ColorRef(tables.MainColor())), entry, pale ? 0 : kGlyphNormal, &tables);
}

void TsSkinProvider::RepaintButton(CaptionButtonSlot& button) {
  TBitmap* image = FormImage();
  if (!image || titleBackground_.Empty() || button.Bounds.Empty() || ImageChanged()) {
    RepaintNonClient();
    return;
  }
  // The saved band lies at the right end of the title.
  const int savedLeft = image->Width() - titleBackground_.Width() - 1;
  const Rect inSaved = button.Bounds.Offset(-savedLeft, 0);
  CopyRect(image->Pixels(), button.Bounds.left, button.Bounds.top, titleBackground_.Pixels(), inSaved);
  PaintCaptionButton(*image, button, true);
  const WindowDc dc(form_->Handle(), true);
  BitBlt(dc.Get(), button.Bounds.left, button.Bounds.top, button.Bounds.Width(), button.Bounds.Height(),
         image->Canvas().Handle(), button.Bounds.left, button.Bounds.top, SRCCOPY);
}

void TsSkinProvider::PaintNonClient(HDC dc) {
  TBitmap* image = FormImage();
  if (!image) return;
  const Rect client = ClientRectInWindow();
  const int width = image->Width();
  const int height = image->Height();
  HDC source = image->Canvas().Handle();
  BitBlt(dc, 0, 0, width, client.top, source, 0, 0, SRCCOPY);
  BitBlt(dc, 0, client.top, client.left, height - client.top, source, 0, client.top, SRCCOPY);
  BitBlt(dc, client.left, client.bottom, width - client.left, height - client.bottom, source, client.left, client.bottom,
         SRCCOPY);
  BitBlt(dc, client.right, client.top, width - client.right, client.bottom - client.top, source, client.right, client.top,
         SRCCOPY);
}

}  // namespace klarvik
