// The pictures of the gauge: skinned (its section, the filled part from a progress
// section, the light running along it) and plain (painted by exclusive-or).
#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/ascii_text.h"
#include "controls/gauge.h"
#include "controls/gauge_math.h"
#include "controls/skinned_text.h"
#include "paint/primitives/alpha_image.h"
#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/border_mask.h"
#include "paint/primitives/light_blend.h"
#include "paint/primitives/section_item.h"
#include "skin/image/png_decoder.h"
#include "win/handles.h"
#include "win/resource_bytes.h"

namespace klarvik {

namespace {

constexpr int kLightWidth = 300;
constexpr wchar_t kLightResource[] = L"GAUGELIGHT";
constexpr UINT kTextFormat = DT_CENTER | DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr TColor kWhite{0xFFFFFF};

int Round(double value) { return static_cast<int>(std::nearbyint(value)); }

// Part of a picture, its (0, 0) at `at`.
PixelView SubView(const PixelView& view, Point at) {
  return PixelView{view.width - at.x, view.height - at.y, view.stride, &view.At(at.x, at.y)};
}

void FillBlack(TBitmap& bitmap) { PatBlt(bitmap.Canvas().Handle(), 0, 0, bitmap.Width(), bitmap.Height(), BLACKNESS); }

std::unique_ptr<TBitmap> CopyOfRect(const PixelView& from, const Rect& rect) {
  auto copy = std::make_unique<TBitmap>(rect.Width(), rect.Height());
  CopyRect(copy->Pixels(), 0, 0, from, rect);
  return copy;
}

}  // namespace

void TsGauge::PaintSkinned(HDC dc) {
  if (skinData_.IsPaintLocked()) {
    SetPixel(dc, 0, 0, RGB(255, 0, 255));
    return;
  }
  PaintCache();
  TBitmap& cache = *skinData_.CacheBitmap();
  BitBlt(dc, 0, 0, cache.Width(), cache.Height(), cache.Canvas().Handle(), 0, 0, SRCCOPY);
  // An idle gauge keeps no picture of its own size.
  cache.SetSize(0, 0);
}

void TsGauge::ShowLight() {
  PaintCache();
  TBitmap& cache = *skinData_.CacheBitmap();
  // Straight onto the parent's window at the gauge's place: nothing else repaints.
  WindowDc dc(Parent()->Handle());
  SavedDcState saved(dc.Get());
  IntersectClipRect(dc.Get(), Left(), Top(), Left() + Width(), Top() + Height());
  BitBlt(dc.Get(), Left(), Top(), cache.Width(), cache.Height(), cache.Canvas().Handle(), 0, 0, SRCCOPY);
  ++paintCount_;
}

void TsGauge::PaintCache() {
  skinData_.PrepareCache();
  TBitmap& cache = *skinData_.CacheBitmap();
  const TacParentCache parent = skinData_.GetParentCache();
  const Rect all{0, 0, Width(), Height()};
  const TsGeneralData& section = *skinData_.Section();
  const bool bar = kind_ == TsGaugeKind::gkHorizontalBar || Vertical();
  if (section.ReservedBoolean && bar) {
    // The border goes over the filled part.
    PaintControlBackground(cache.Pixels(), all, skinData_.PaintSource(), parent, Point{}, 0);
    DrawContent(cache);
    const TsSkinTables& tables = *skinData_.Tables();
    if (tables.IsValidMaskIndex(skinData_.BorderMaskIndex))
      DrawBorderMask(cache.Pixels(), all, parent, false, 0, tables.Masks[static_cast<std::size_t>(skinData_.BorderMaskIndex)],
                     &tables);
  } else {
    PaintControlItem(cache.Pixels(), all, skinData_.PaintSource(), parent, Point{}, 0, true);
    DrawContent(cache);
  }
  skinData_.BackgroundDirty = false;
}

void TsGauge::DrawContent(TBitmap& cache) {
  TCanvas& canvas = cache.Canvas();
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  const Rect all{0, 0, Width(), Height()};
  if (showText_) {
    const UINT format = kTextFormat | (IsRightToLeft() ? DT_RTLREADING : 0);
    DrawSkinnedText(canvas, TextToPrint(), Enabled(), false, skinData_, format, all);
  }
  switch (kind_) {
    case TsGaugeKind::gkHorizontalBar:
    case TsGaugeKind::gkVerticalBar:
      DrawBarFill(cache);
      break;
    case TsGaugeKind::gkPie:
    case TsGaugeKind::gkNeedle:
      DrawPieOrNeedle(canvas, all, true);
      break;
    case TsGaugeKind::gkText:
      break;
  }
}

void TsGauge::DrawFillText(TBitmap& fill, int section, const Rect& rect) {
  TCanvas& canvas = fill.Canvas();
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  const UINT format = kTextFormat | (IsRightToLeft() ? DT_RTLREADING : 0);
  DrawSectionText(canvas, TextToPrint(), Enabled(), *skinData_.Manager(), false, section, format, rect);
}

bool TsGauge::LoadLight(int thickness) {
  if (lightBitmap_ && lightBitmap_->Width() == kLightWidth && lightBitmap_->Height() == thickness) return true;
  const auto bytes = RcDataBytes(GetModuleHandleW(nullptr), kLightResource);
  if (!bytes || thickness <= 0) return false;
  SkinBitmap image;
  try {
    image = DecodePng(*bytes);
  } catch (const std::exception&) {
    return false;
  }
  if (image.width <= 0 || image.height <= 0) return false;
  if (!lightBitmap_) lightBitmap_ = std::make_unique<TBitmap>();
  lightBitmap_->SetSize(kLightWidth, thickness);
  // A thin gauge takes the light's middle rows: its top and bottom are the brightest.
  int firstRow = 0;
  if (image.height > Height()) {
    firstRow = (image.height - thickness) / 2 + 1;
    if (2 * firstRow > thickness) firstRow = 0;
  }
  StretchRect(lightBitmap_->Pixels(), Rect{0, 0, kLightWidth, thickness}, image.View(),
              Rect{0, firstRow, image.width, image.height});
  return true;
}

void TsGauge::DrawBarFill(TBitmap& cache) {
  const TsSkinTables& tables = *skinData_.Tables();
  const int width = Width(), height = Height();
  const int percent = ProgressPercent();
  const std::string named = !progressSkin_.empty()          ? UpperCase(progressSkin_)
                            : Vertical() && !animated_      ? std::string("PROGRESSV")
                                                            : std::string("PROGRESSH");
  int section = tables.IndexOfSection(named);
  // The progress section's transparency shows the gauge's own background.
  TacParentCache parent;
  parent.Image = cache.Pixels();
  parent.Ready = true;
  parent.FillColor = kKeyColor;

  if (Vertical() && !animated_ && tables.IsValidSectionIndex(section)) {
    const int n = std::min(FillLength(percent, height), height);
    if (n <= 0) return;
    TBitmap strip(width, n);
    const SectionPaint paint{&tables, section, parent, -1, -1, Point{0, height - n}, 0};
    PaintSectionItem(strip.Pixels(), Rect{0, 0, width, n}, paint, true);
    if (showText_) DrawFillText(strip, section, Rect{0, n - height, width, n});
    CopyRect(cache.Pixels(), 0, height - n, strip.Pixels(), Rect{0, 0, width, n});
    return;
  }

  // A vertical gauge works turned, its bottom at the left end.
  SkinBitmap turned;
  int length = width, thickness = height;
  if (Vertical()) {
    if (!tables.IsValidSectionIndex(section)) section = tables.IndexOfSection("PROGRESSH");
    turned = RotateBitmap90(cache.Pixels(), RotateDirection::kClockwise);
    parent.Image = turned.View();
    length = height;
    thickness = width;
  }
  const int n = std::min(FillLength(percent, length), length);
  if (n <= 0 || !tables.IsValidSectionIndex(section)) return;
  const TsGeneralData& gaugeSection = *skinData_.Section();
  const std::string& sectionName = tables.Sections[static_cast<std::size_t>(section)].SectionName;
  const bool light = animated_ && lightOffset_ < n + kLightWidth && LoadLight(thickness);

  TBitmap fill(n, thickness);
  const Rect whole{0, 0, n, thickness};
  Rect overlap;
  int region = -1;
  std::unique_ptr<TBitmap> lightMask;
  if (light) {
    overlap = Rect{lightOffset_, 0, lightOffset_ + kLightWidth, thickness}.Intersect(whole);
    if (!gaugeSection.ReservedBoolean) {
      region = tables.IndexOfMask(section, sectionName, "LRGN");
      if (!overlap.Empty() && tables.IsValidMaskIndex(region)) {
        // The region entry says where the light may shine: drawn over white, cut out under it.
        TacParentCache white = parent;
        white.Ready = false;
        white.FillColor = kWhite;
        DrawBorderMask(fill.Pixels(), whole, white, false, 0, tables.Masks[static_cast<std::size_t>(region)], &tables);
        lightMask = CopyOfRect(fill.Pixels(), overlap);
        parent.FillColor = kWhite;
      }
    }
  }

  if (fillCache_ && fillCache_->Width() == n && fillCache_->Height() == thickness) {
    CopyRect(fill.Pixels(), 0, 0, fillCache_->Pixels(), whole);
  } else {
    const SectionPaint paint{&tables, section, parent, -1, -1, Point{}, 0};
    if (gaugeSection.ReservedBoolean) {
      PaintSectionBackground(fill.Pixels(), whole, paint, kKeyColor);
    } else {
      PaintSectionItem(fill.Pixels(), whole, paint, true);
    }
    fillCache_ = CopyOfRect(fill.Pixels(), whole);
  }

  if (light && !overlap.Empty()) {
    const int sourceColumn = lightOffset_ < 0 ? -lightOffset_ : 0;
    if (lightMask) {
      BlendLightThroughMask(fill.Pixels(), SubView(lightBitmap_->Pixels(), Point{sourceColumn, 0}), lightMask->Pixels(),
                            overlap);
    } else {
      CopyAlphaImage(overlap, Rect{sourceColumn, 0, sourceColumn + overlap.Width(), thickness}, fill.Pixels(),
                     AlphaImageOptions{}, lightBitmap_->Pixels());
    }
  }

  if (Vertical()) {
    SkinBitmap back = RotateBitmap90(fill.Pixels(), RotateDirection::kCounterClockwise);
    TBitmap strip(width, n);
    CopyRect(strip.Pixels(), 0, 0, back.View(), Rect{0, 0, width, n});
    if (showText_) DrawFillText(strip, section, Rect{0, n - height, width, n});
    CopyRect(cache.Pixels(), 0, height - n, strip.Pixels(), Rect{0, 0, width, n});
  } else {
    if (showText_) DrawFillText(fill, section, Rect{0, 0, width, height});
    CopyRect(cache.Pixels(), 0, 0, fill.Pixels(), whole);
  }
}

void TsGauge::DrawPieOrNeedle(TCanvas& canvas, const Rect& r, bool skinned) {
  const int percent = ProgressPercent();
  const int width = r.Width() + (skinned || borderStyle_ != TFormBorderStyle::bsSingle ? 0 : 1);
  const int height = r.Height() + (skinned || borderStyle_ != TFormBorderStyle::bsSingle ? 0 : 1);
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(foreColor_);
  if (kind_ == TsGaugeKind::gkPie) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    if (!skinned) canvas.Brush().SetColor(backColor_);
    canvas.Ellipse(r.left, r.top, width, height);
    if (percent <= 0) return;
    canvas.Brush().SetColor(foreColor_);
    const double theta = std::numbers::pi * (percent / 50.0 + 0.5);
    const int mx = width / 2, my = height / 2;
    canvas.Pie(r.left, r.top, width, height, Round(mx * (1 - std::cos(theta))), Round(my * (1 - std::sin(theta))), mx, 0);
    return;
  }
  if (skinned) {
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
  } else {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(backColor_);
  }
  canvas.Pie(r.left, r.top, width, 2 * height - 1, r.left + width, r.bottom - 1, r.left, r.bottom - 1);
  canvas.MoveTo(r.left, r.bottom);
  canvas.LineTo(r.left + width, r.bottom);
  if (percent <= 0) return;
  const double phi = std::numbers::pi * percent / 100.0;
  const int centre = Width() / 2;
  canvas.MoveTo(centre, r.bottom - 1);
  canvas.LineTo(Round(centre * (1 - std::cos(phi))), Round((r.bottom - 1) * (1 - std::sin(phi))));
}

// Painted by exclusive-or: the overlay of colours is inverted onto a black image, then
// the white text is inverted onto that, so it reads white on the filled part and in
// the inverse colour elsewhere. With a single border the untouched outer ring stays
// black: the frame.
void TsGauge::PaintPlain() {
  const int width = Width(), height = Height();
  TBitmap image(width, height);
  FillBlack(image);
  const int inset = borderStyle_ == TFormBorderStyle::bsSingle ? 1 : 0;
  const Rect r{inset, inset, width - inset, height - inset};

  TBitmap overlay(width, height);
  FillBlack(overlay);
  TCanvas& paint = overlay.Canvas();
  const int percent = ProgressPercent();
  switch (kind_) {
    case TsGaugeKind::gkText:
      paint.Brush().SetColor(backColor_);
      paint.FillRect(r);
      break;
    case TsGaugeKind::gkHorizontalBar:
    case TsGaugeKind::gkVerticalBar: {
      const int barWidth = r.Width() + 1, barHeight = r.Height() + 1;
      paint.Brush().SetColor(backColor_);
      paint.FillRect(r);
      paint.Brush().SetColor(foreColor_);
      if (kind_ == TsGaugeKind::gkHorizontalBar) {
        const int n = std::min(FillLength(percent, barWidth), barWidth);
        if (n >= 1) paint.FillRect(Rect{r.left, r.top, n, barHeight});
      } else {
        int n = FillLength(percent, barHeight);
        if (n >= barHeight) n = barHeight - 1;
        paint.FillRect(Rect{r.left, barHeight - n, barWidth, barHeight});
      }
      break;
    }
    case TsGaugeKind::gkPie:
    case TsGaugeKind::gkNeedle:
      paint.Brush().SetColor(Color());
      paint.FillRect(r);
      DrawPieOrNeedle(paint, r, false);
      break;
  }
  BitBlt(image.Canvas().Handle(), 0, 0, width, height, paint.Handle(), 0, 0, SRCINVERT);

  if (showText_) {
    TBitmap textLayer(width, height);
    FillBlack(textLayer);
    TCanvas& text = textLayer.Canvas();
    text.Font().Assign(Font());
    text.Font().SetColor(kWhite);
    text.Brush().SetStyle(TBrushStyle::bsClear);
    const std::wstring caption = TextToPrint();
    const SIZE extent = text.TextExtent(caption);
    text.TextRect(r, (r.right - r.left + 1 - extent.cx) / 2, (r.bottom - r.top + 1 - extent.cy) / 2, caption);
    BitBlt(image.Canvas().Handle(), 0, 0, width, height, text.Handle(), 0, 0, SRCINVERT);
  }
  BitBlt(Canvas().Handle(), 0, 0, width, height, image.Canvas().Handle(), 0, 0, SRCCOPY);
}

}  // namespace klarvik
