#include "controls/skinned_text.h"

#include <algorithm>

#include "base/colors.h"
#include "controls/common_data.h"
#include "paint/primitives/text_glow.h"
#include "runtime/colors.h"
#include "runtime/graphic_control.h"
#include "runtime/win_control.h"
#include "skin/manager/skin_broadcast.h"
#include "win/handles.h"

namespace klarvik {

namespace {

constexpr Point kContourShifts[] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};  // left, top, right, bottom

const TsGenState& StateOf(const TsGeneralData& section, int state) {
  const int limited = std::min(state, section.States - 1);
  return section.StateProps[limited > 0 ? 1 : 0];
}

int TransparencyOf(const TsSkinTables& tables, int section, int state) {
  return StateOf(tables.Sections[static_cast<std::size_t>(section)], state).Transparency;
}

void DrawIn(TCanvas& canvas, const std::wstring& text, TColor color, Rect rect, UINT format) {
  canvas.Font().SetColor(color);
  canvas.DrawText(text, rect, format);
}

// The contour copies of the text, then the text itself (with textFormat) in the state's
// font colour.
void DrawWithContours(TCanvas& canvas, const std::wstring& text, const TsSkinTables& tables, const TsGenState& state,
                      int hue, int saturation, UINT format, UINT textFormat, const Rect& rect) {
  for (std::size_t side = 0; side < 4; ++side) {
    const TColor contour = state.FontColors[side + 1];
    if (contour == kNoColor) continue;
    const Point shift = kContourShifts[side];
    DrawIn(canvas, text, ShiftColor(tables.ColorRef(contour), hue, saturation), rect.Offset(shift.x, shift.y), format);
  }
  DrawIn(canvas, text, ShiftColor(tables.ColorRef(state.FontColors[0]), hue, saturation), rect, textFormat);
}

// Standard disabled text: raised in the highlight colour, the shadow colour on top.
void DrawEmbossed(TCanvas& canvas, const std::wstring& text, const Rect& rect, UINT format) {
  DrawIn(canvas, text, clBtnHighlight, rect.Offset(1, 1), format);
  DrawIn(canvas, text, clBtnShadow, rect, format);
}

bool BorrowsParentText(const TsCommonData& data) {
  TControl* control = data.Control();
  if (!control || !control->Parent()) return false;
  const int kind = data.ControlKind;
  return kind == 32 || kind == 33 || kind == 74 || dynamic_cast<TGraphicControl*>(control) != nullptr;
}

}  // namespace

int TextSectionFor(TControl& control, int own, TsSkinManager& manager, int state) {
  const TsSkinTables& tables = manager.Tables();
  const auto lends = [&](int section) {
    return tables.IsValidSectionIndex(section) && tables.Sections[static_cast<std::size_t>(section)].GiveOwnFont;
  };
  for (TWinControl* parent = control.Parent(); parent; parent = parent->Parent()) {
    if (TsCommonData* data = SkinDataOf(*parent); data && tables.IsValidSectionIndex(data->SectionIndex)) {
      const bool drawsCentre = tables.IsValidMaskIndex(data->BorderMaskIndex) &&
                               (tables.Masks[static_cast<std::size_t>(data->BorderMaskIndex)].FillMode & kFillCentre);
      if (TransparencyOf(tables, data->SectionIndex, state) <= 50 || drawsCentre || !parent->Parent())
        return lends(data->SectionIndex) ? data->SectionIndex : own;
      continue;
    }
    if (!parent->HandleAllocated()) break;
    TacSectionInfo info;
    SendSkinCommand(*parent, SKC_GETSECTIONINDEX, reinterpret_cast<LPARAM>(&info));
    if (tables.IsValidSectionIndex(info.SectionIndex) && TransparencyOf(tables, info.SectionIndex, state) > 50) continue;
    return lends(info.SectionIndex) ? info.SectionIndex : own;
  }
  return own;
}

void DrawSkinnedText(TCanvas& canvas, const std::wstring& text, bool enabled, bool hot, TsCommonData& data, UINT format,
                     const Rect& rect) {
  if (text.empty()) return;
  const TsSkinTables* tables = data.Tables();
  TFont& font = canvas.Font();
  const TFontStyles style = font.Style();
  const TColor color = font.Color();
  const TBrushStyle brush = canvas.Brush().Style();
  // A clear brush: every copy of the text is drawn without a background box.
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  if (hot && tables && data.SectionIndex >= 0 && data.SectionIndex == tables->Cached.WebButtonSection)
    font.SetStyle(style | fsUnderline);
  {
    HDC dc = canvas.Handle();
    SavedDcState saved(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    if (data.Skinned() && !data.CustomFont()) {
      int section = data.SectionIndex;
      const TsGeneralData& own = tables->Sections[static_cast<std::size_t>(section)];
      if (BorrowsParentText(data) && StateOf(own, 0).Transparency > 0)
        section = TextSectionFor(*data.Control(), section, *data.Manager(), 0);
      if (tables->IsValidSectionIndex(section)) {
        const TsGeneralData& record = tables->Sections[static_cast<std::size_t>(section)];
        const TsGenState& state = StateOf(record, hot ? 1 : 0);
        const int hue = data.HUEOffset(), saturation = data.Saturation();
        TBitmap* cache = data.CacheBitmap();
        if (cache && !cache->Empty() && state.GlowSize != 0) {
          DrawGlowText(*cache, text, rect, font, ShiftColor(tables->ColorRef(state.GlowColor), hue, saturation),
                       state.GlowSize, kContourLeft | kContourTop | kContourRight | kContourBottom, format);
        }
        if (!enabled) {
          const TColor grey = MixColors(tables->ColorRef(record.FontColors[0]), tables->ColorRef(tables->MainColor()), 0.4);
          DrawIn(canvas, text, ShiftColor(grey, hue, saturation), rect, format);
        } else {
          DrawWithContours(canvas, text, *tables, state, hue, saturation, format, format | DT_NOCLIP, rect);
        }
      } else {
        DrawIn(canvas, text, color, rect, format);
      }
    } else if (enabled) {
      DrawIn(canvas, text, color, rect, format);
    } else {
      DrawEmbossed(canvas, text, rect, format);
    }
  }
  font.SetStyle(style);
  font.SetColor(color);
  canvas.Brush().SetStyle(brush);
}

void DrawSectionText(TCanvas& canvas, const std::wstring& text, bool enabled, TsSkinManager& manager, bool hot,
                     int section, UINT format, const Rect& rect) {
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  const TsSkinTables& tables = manager.Tables();
  if (!tables.IsValidSectionIndex(section)) {
    Rect r = rect;
    canvas.DrawText(text, r, format);
    return;
  }
  const TsGeneralData& record = tables.Sections[static_cast<std::size_t>(section)];
  if (enabled) {
    DrawWithContours(canvas, text, tables, StateOf(record, hot ? 1 : 0), 0, 0, format, format, rect);
  } else {
    DrawIn(canvas, text, MixColors(tables.ColorRef(record.FontColors[0]), tables.ColorRef(record.Color), 0.4), rect, format);
  }
}

void DrawGlowText(TBitmap& target, const std::wstring& text, const Rect& rect, TFont& font, TColor color, int size,
                  unsigned contours, UINT format) {
  if (size <= 0 || text.empty() || target.Empty()) return;
  const int pad = size + 4;
  const Rect moved = rect.Offset(1, 1);
  const Rect grown{moved.left - pad, moved.top - pad, moved.right + pad, moved.bottom + pad};
  if (grown.Width() <= 0 || grown.Height() <= 0) return;

  // The text in black on white; GDI draws it into a 32-bit picture, whose green channel
  // becomes the mask.
  TBitmap plane(grown.Width(), grown.Height());
  PixelView pixels = plane.Pixels();
  for (int y = 0; y < pixels.height; ++y)
    std::fill_n(&pixels.At(0, y), pixels.width, 0xFFFFFFFFu);
  TCanvas& canvas = plane.Canvas();
  canvas.Font().Assign(font);
  canvas.Font().SetColor(clBlack);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  const Rect at{pad, pad, pad + rect.Width(), pad + rect.Height()};
  for (std::size_t side = 0; side < 4; ++side) {
    if (!(contours & (1u << side))) continue;
    Rect shifted = at.Offset(kContourShifts[side].x, kContourShifts[side].y);
    canvas.DrawText(text, shifted, format);
  }
  Rect unmoved = at;
  canvas.DrawText(text, unmoved, format);

  pixels = plane.Pixels();
  GlowMask mask(grown.Width(), grown.Height(), 255);
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x) mask.At(x, y) = static_cast<std::uint8_t>(pixels.At(x, y) >> 8);
  GaussianBlur8(mask, size);
  ComposeGlow(target.Pixels(), mask, Point{grown.left, grown.top}, color);
}

SIZE MeasureText(TFont& font, const std::wstring& text, UINT format, int width, bool wrap) {
  const UniqueDc dc(CreateCompatibleDC(nullptr));
  SelectScope select(dc.Get(), font.Handle());
  if (wrap) {
    RECT r{0, 0, width, 0};
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
  }
  SIZE size{};
  if (!GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size)) return SIZE{0, 0};
  return size;
}

std::wstring TruncateWithEllipsis(TCanvas& canvas, const std::wstring& text, int maxWidth) {
  if (maxWidth <= 0) return {};
  if (canvas.TextWidth(text) <= maxWidth) return text;
  std::wstring cut = text;
  while (!cut.empty() && canvas.TextWidth(cut + L"...") > maxWidth) cut.pop_back();
  return cut.empty() ? cut : cut + L"...";
}

}  // namespace klarvik
