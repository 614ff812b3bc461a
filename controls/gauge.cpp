#include "controls/gauge.h"

#include <algorithm>
#include <limits>

#include "controls/gauge_math.h"
#include "runtime/bitmap.h"
#include "win/exceptions.h"

namespace klarvik {

namespace {

std::wstring RangeError(std::int64_t low, std::int64_t high) {
  return L"Value must be between " + std::to_wstring(low) + L" and " + std::to_wstring(high);
}

void FillBlack(TBitmap& bitmap) {
  PatBlt(bitmap.Canvas().Handle(), 0, 0, bitmap.Width(), bitmap.Height(), BLACKNESS);
}

}  // namespace

TsGauge::TsGauge(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque);
  SetBounds(0, 0, 120, 30);
}

void TsGauge::SetMinValue(std::int32_t value) {
  if (value == minValue_) return;
  if (value > maxValue_ && !IsLoading()) {
    throw EInvalidOperation(RangeError(-std::numeric_limits<std::int32_t>::max(), std::int64_t{maxValue_} - 1));
  }
  minValue_ = value;
  if (progress_ < value) progress_ = value;
  Invalidate();
}

void TsGauge::SetMaxValue(std::int32_t value) {
  if (value == maxValue_) return;
  if (value < minValue_ && !IsLoading()) {
    throw EInvalidOperation(RangeError(std::int64_t{minValue_} + 1, std::numeric_limits<std::int32_t>::max()));
  }
  maxValue_ = value;
  if (progress_ > value) progress_ = value;
  Invalidate();
}

void TsGauge::SetProgress(std::int32_t value) {
  const std::int32_t clamped = std::clamp(value, std::min(minValue_, maxValue_), maxValue_);
  if (clamped == progress_) return;
  const int oldPercent = ProgressPercent();
  progress_ = clamped;
  if (ProgressPercent() != oldPercent) Invalidate();
  if (OnChange) OnChange(this);
}

int TsGauge::ProgressPercent() const { return klarvik::ProgressPercent(minValue_, maxValue_, progress_); }

void TsGauge::SetSuffix(const std::wstring& suffix) {
  if (suffix == suffix_) return;
  suffix_ = suffix;
  Invalidate();
}

void TsGauge::SetCalcPercents(bool calcPercents) {
  if (calcPercents == calcPercents_) return;
  calcPercents_ = calcPercents;
  Invalidate();
}

void TsGauge::SetShowText(bool showText) {
  if (showText == showText_) return;
  showText_ = showText;
  Invalidate();
}

void TsGauge::SetForeColor(TColor color) {
  if (color == foreColor_) return;
  foreColor_ = color;
  Invalidate();
}

void TsGauge::SetBackColor(TColor color) {
  if (color == backColor_) return;
  backColor_ = color;
  Invalidate();
}

std::wstring TsGauge::Text() const {
  return std::to_wstring(calcPercents_ ? ProgressPercent() : progress_) + suffix_;
}

// Painted by exclusive-or: the overlay of colours is inverted onto a black image, then
// the white text is inverted onto that, so it reads white on the filled part and in
// the inverse colour elsewhere. The untouched outer ring stays black: the frame.
void TsGauge::Paint() {
  const int width = Width();
  const int height = Height();
  if (width <= 0 || height <= 0) return;
  TBitmap image(width, height);
  FillBlack(image);
  const Rect r{1, 1, width - 1, height - 1};

  TBitmap overlay(width, height);
  FillBlack(overlay);
  TCanvas& paint = overlay.Canvas();
  paint.Brush().SetColor(backColor_);
  paint.FillRect(r);
  const int barWidth = r.Width() + 1;
  const int barHeight = r.Height() + 1;
  const int filled = std::min(FillLength(ProgressPercent(), barWidth), barWidth);
  if (filled >= 1) {
    paint.Brush().SetColor(foreColor_);
    paint.FillRect(Rect{r.left, r.top, filled, barHeight});
  }
  BitBlt(image.Canvas().Handle(), 0, 0, width, height, paint.Handle(), 0, 0, SRCINVERT);

  if (showText_) {
    TBitmap textLayer(width, height);
    FillBlack(textLayer);
    TCanvas& text = textLayer.Canvas();
    text.Font().Assign(Font());
    text.Font().SetColor(clWhite);
    text.Brush().SetStyle(TBrushStyle::bsClear);
    const std::wstring caption = Text();
    const SIZE extent = text.TextExtent(caption);
    text.TextRect(r, (r.right - r.left + 1 - extent.cx) / 2, (r.bottom - r.top + 1 - extent.cy) / 2, caption);
    BitBlt(image.Canvas().Handle(), 0, 0, width, height, text.Handle(), 0, 0, SRCINVERT);
  }
  BitBlt(Canvas().Handle(), 0, 0, width, height, image.Canvas().Handle(), 0, 0, SRCCOPY);
}

}  // namespace klarvik
