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
  // Only the filled part changes from tick to tick: when it was painted before, it alone
  // is made again and put on the window.
  FillStrip strip;
  if (kind_ == TsGaugeKind::gkHorizontalBar || Vertical()) strip = MakeFill(FillGeometry(), nullptr);
  TBitmap* picture = strip.picture;
  Point at = strip.at;
  if (!picture) {
    PaintCache();
    picture = skinData_.CacheBitmap();
    at = Point{};
  }
  // Straight onto the parent's window at the gauge's place: nothing else repaints.
  WindowDc dc(Parent()->Handle());
  SavedDcState saved(dc.Get());
  IntersectClipRect(dc.Get(), Left(), Top(), Left() + Width(), Top() + Height());
  BitBlt(dc.Get(), Left() + at.x, Top() + at.y, picture->Width(), picture->Height(), picture->Canvas().Handle(), 0, 0,
         SRCCOPY);
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
  const std::wstring text = TextToPrint();
  if (text != measuredText_) {
    measuredText_ = text;
    measuredSize_ = canvas.TextExtent(text);
  }
  // The text sits in the middle of the gauge: a filled part it misses gets none of it.
  const int left = rect.left + (rect.Width() - measuredSize_.cx) / 2, top = rect.top + (rect.Height() - measuredSize_.cy) / 2;
  if (Rect{left, top, left + measuredSize_.cx, top + measuredSize_.cy}.Intersect(BoundsOf(fill.Width(), fill.Height())).Empty())
    return;
  const UINT format = kTextFormat | (IsRightToLeft() ? DT_RTLREADING : 0);
  DrawSectionText(canvas, text, Enabled(), *skinData_.Manager(), false, section, format, rect);
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

TsGauge::BarFill TsGauge::FillGeometry() const {
  const TsSkinTables& tables = *skinData_.Tables();
  const std::string named = !progressSkin_.empty()     ? UpperCase(progressSkin_)
                            : Vertical() && !animated_ ? std::string("PROGRESSV")
                                                       : std::string("PROGRESSH");
  BarFill bar;
  bar.named = tables.IndexOfSection(named);
  bar.section = bar.named;
  if (Vertical() && !tables.IsValidSectionIndex(bar.section)) bar.section = tables.IndexOfSection("PROGRESSH");
  bar.length = Length();
  bar.thickness = Thickness();
  bar.filled = std::min(FillLength(ProgressPercent(), bar.length), bar.length);
  return bar;
}

TsGauge::FillStrip TsGauge::MakeFill(const BarFill& bar, const TacParentCache* parent) {
  const TsSkinTables& tables = *skinData_.Tables();
  const int n = bar.filled, thickness = bar.thickness;
  if (n <= 0 || !tables.IsValidSectionIndex(bar.section)) return {};
  const Rect whole{0, 0, n, thickness};
  const TsGeneralData& gaugeSection = *skinData_.Section();
  if (!fillCache_ || fillCache_->Width() != n || fillCache_->Height() != thickness) {
    if (!parent) return {};
    fillCache_ = std::make_unique<TBitmap>(n, thickness);
    lightRegion_.reset();
    const SectionPaint paint{&tables, bar.section, *parent, -1, -1, Point{}, 0};
    if (gaugeSection.ReservedBoolean) {
      PaintSectionBackground(fillCache_->Pixels(), whole, paint, kKeyColor);
    } else {
      PaintSectionItem(fillCache_->Pixels(), whole, paint, true);
      // The region entry says where the light may shine: drawn over white.
      const std::string& name = tables.Sections[static_cast<std::size_t>(bar.section)].SectionName;
      const int region = tables.IndexOfMask(bar.section, name, "LRGN");
      if (tables.IsValidMaskIndex(region)) {
        lightRegion_ = std::make_unique<TBitmap>(n, thickness);
        TacParentCache white = *parent;
        white.Ready = false;
        white.FillColor = kWhite;
        DrawBorderMask(lightRegion_->Pixels(), whole, white, false, 0, tables.Masks[static_cast<std::size_t>(region)],
                       &tables);
      }
    }
  }
  if (!fillFrame_ || fillFrame_->Width() != n || fillFrame_->Height() != thickness)
    fillFrame_ = std::make_unique<TBitmap>(n, thickness);
  TBitmap* fill = fillFrame_.get();
  CopyRect(fill->Pixels(), 0, 0, fillCache_->Pixels(), whole);
  if (animated_ && lightOffset_ < n + kLightWidth && LoadLight(thickness)) {
    const Rect overlap = Rect{lightOffset_, 0, lightOffset_ + kLightWidth, thickness}.Intersect(whole);
    const int sourceColumn = lightOffset_ < 0 ? -lightOffset_ : 0;
    if (!overlap.Empty() && lightRegion_) {
      BlendLightThroughMask(fill->Pixels(), SubView(lightBitmap_->Pixels(), Point{sourceColumn, 0}),
                            SubView(lightRegion_->Pixels(), Point{overlap.left, overlap.top}), overlap);
    } else if (!overlap.Empty()) {
      CopyAlphaImage(overlap, Rect{sourceColumn, 0, sourceColumn + overlap.Width(), thickness}, fill->Pixels(),
                     AlphaImageOptions{}, lightBitmap_->Pixels());
    }
  }
  const int width = Width(), height = Height();
  if (!Vertical()) {
    if (showText_) DrawFillText(*fill, bar.section, Rect{0, 0, width, height});
    return FillStrip{fill, Point{}};
  }
  // A vertical bar is worked on turned, its bottom at the left end: turned back here.
  SkinBitmap back = RotateBitmap90(fill->Pixels(), RotateDirection::kCounterClockwise);
  if (!uprightFrame_ || uprightFrame_->Width() != width || uprightFrame_->Height() != n)
    uprightFrame_ = std::make_unique<TBitmap>(width, n);
  TBitmap* strip = uprightFrame_.get();
  CopyRect(strip->Pixels(), 0, 0, back.View(), Rect{0, 0, width, n});
  if (showText_) DrawFillText(*strip, bar.section, Rect{0, n - height, width, n});
  return FillStrip{strip, Point{0, height - n}};
}

void TsGauge::DrawBarFill(TBitmap& cache) {
  const TsSkinTables& tables = *skinData_.Tables();
  const int width = Width(), height = Height();
  // The progress section's transparency shows the gauge's own background.
  TacParentCache parent;
  parent.Image = cache.Pixels();
  parent.Ready = true;
  parent.FillColor = kKeyColor;

  const BarFill bar = FillGeometry();
  if (Vertical() && !animated_ && tables.IsValidSectionIndex(bar.named)) {
    // Drawn straight, from the bottom up.
    const int n = bar.filled;
    if (n <= 0) return;
    TBitmap strip(width, n);
    const SectionPaint paint{&tables, bar.section, parent, -1, -1, Point{0, height - n}, 0};
    PaintSectionItem(strip.Pixels(), Rect{0, 0, width, n}, paint, true);
    if (showText_) DrawFillText(strip, bar.section, Rect{0, n - height, width, n});
    CopyRect(cache.Pixels(), 0, height - n, strip.Pixels(), Rect{0, 0, width, n});
    return;
  }
  SkinBitmap turned;
  if (Vertical()) {
    turned = RotateBitmap90(cache.Pixels(), RotateDirection::kClockwise);
    parent.Image = turned.View();
  }
  const FillStrip strip = MakeFill(bar, &parent);
  if (!strip.picture) return;
  const PixelView pixels = strip.picture->Pixels();
  CopyRect(cache.Pixels(), strip.at.x, strip.at.y, pixels, Rect{0, 0, pixels.width, pixels.height});
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
