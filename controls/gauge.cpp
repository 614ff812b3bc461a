#include "controls/gauge.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "controls/gauge_math.h"
#include "controls/light_clock.h"
#include "skin/manager/skin_broadcast.h"
#include "win/exceptions.h"

namespace klarvik {

namespace {

constexpr int kLightCycle = 2222;      // ms from one run of the light to the next
constexpr int kLightWidth = 300;
constexpr int kLightMinimumStep = 15;  // pixels a tick
constexpr double kLightStepDivisor = 2222.0 / 44;

std::wstring RangeError(std::int64_t low, std::int64_t high) {
  return L"Value must be between " + std::to_wstring(low) + L" and " + std::to_wstring(high);
}

}  // namespace

TsGauge::TsGauge(TComponent* AOwner) : TGraphicControl(AOwner), skinData_(this, false) {
  skinData_.ControlKind = kKindGauge;
  SetControlStyle(ControlStyle() | csOpaque);
  SetBounds(0, 0, 120, 30);
  skinData_.Refresh();
}

TsGauge::~TsGauge() { light_clock::Remove(*this); }

bool TsGauge::LightRunning() const { return light_clock::Contains(*this); }

void TsGauge::Loaded() {
  TGraphicControl::Loaded();
  skinData_.Refresh();
  if (animated_ && !LightRunning()) StartLight(true);
}

void TsGauge::FontChanged() {
  measuredText_.clear();
  TGraphicControl::FontChanged();
}

void TsGauge::SetKind(TsGaugeKind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  DropFillCache();
  Invalidate();
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
  if (ProgressPercent() != oldPercent) {
    if (!TsSkinManager::SkinLoading()) skinData_.BackgroundDirty = true;
    Invalidate();
  }
  if (OnChange) OnChange(this);
}

int TsGauge::ProgressPercent() const { return klarvik::ProgressPercent(minValue_, maxValue_, progress_); }

void TsGauge::SetSuffix(const std::wstring& suffix) {
  if (suffix == suffix_) return;
  suffix_ = suffix;
  skinData_.Invalidate(false);
}

void TsGauge::SetCalcPercents(bool calcPercents) {
  if (calcPercents == calcPercents_) return;
  calcPercents_ = calcPercents;
  skinData_.Invalidate(false);
}

void TsGauge::SetShowText(bool showText) {
  if (showText == showText_) return;
  showText_ = showText;
  Invalidate();
}

void TsGauge::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
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

void TsGauge::SetAnimated(bool animated) {
  animated_ = animated;
  DropFillCache();
  StartLight(animated);
  if (!animated) skinData_.Invalidate(false);
}

void TsGauge::SetProgressSkin(const std::string& section) {
  progressSkin_ = section;
  DropFillCache();
  skinData_.BackgroundDirty = true;
  Invalidate();
}

std::wstring TsGauge::Text() const {
  return std::to_wstring(calcPercents_ ? ProgressPercent() : progress_) + suffix_;
}

std::wstring TsGauge::TextToPrint() {
  std::wstring text = Text();
  if (OnPaintText) OnPaintText(this, text);
  return text;
}

void TsGauge::StartLight(bool start) {
  if (start) {
    light_clock::Add(*this);
  } else {
    light_clock::Remove(*this);
  }
}

void TsGauge::LightTick() {
  if (!skinData_.Skinned()) {
    StartLight(false);
    return;
  }
  // Back from a wait: the ticks it stood for count as they passed.
  lightElapsed_ += static_cast<int>((lightWait_ - 1) * kLightTick);
  lightWait_ = 1;
  if (lightElapsed_ > kLightCycle) {
    lightOffset_ = -kLightWidth;
    lightElapsed_ = 0;
  }
  lightElapsed_ += static_cast<int>(kLightTick);
  const int length = Length();
  TWinControl* parent = Parent();
  const bool shows = Visible() && progress_ > 0 && parent && parent->HandleAllocated() && IsWindowVisible(parent->Handle());
  // The light shows over the filled part only: frames while it is elsewhere are all the
  // same picture, so after the one that takes the light away none is drawn.
  const bool bar = kind_ == TsGaugeKind::gkHorizontalBar || Vertical();
  const int filled = bar ? std::min(FillLength(ProgressPercent(), length), length) : length;
  if (lightOffset_ < length) {
    const bool lit = lightOffset_ < filled && lightOffset_ + kLightWidth > 0;
    if (shows && (lit || lightShown_)) ShowLight();
    lightShown_ = shows && lit;
    lightOffset_ += std::max(kLightMinimumStep, static_cast<int>(std::nearbyint(length / kLightStepDivisor)));
  }
  // Past the end, or with nothing more to show, the ticks until the next run would
  // change nothing: one wait stands for them, so a gauge at rest wakes the program seldom.
  if (lightOffset_ >= length || !shows || (lightOffset_ >= filled && !lightShown_)) {
    const int ticks = (kLightCycle - lightElapsed_) / static_cast<int>(kLightTick) + 2;
    if (ticks > 1) lightWait_ = static_cast<unsigned>(ticks);
  }
}

void TsGauge::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND) {
    auto* manager = reinterpret_cast<TsSkinManager*>(Message.LParam);
    const bool ours = manager == skinData_.Manager();
    switch (SkinCommandOf(Message.WParam)) {
      case SKC_SKINLOADED:
        if (!ours) break;
        skinData_.HandleSkinCommand(Message);
        return;
      case SKC_SKINREMOVED:
        if (!ours) break;
        if (animated_) StartLight(false);
        DropFillCache();
        skinData_.HandleSkinCommand(Message);
        Invalidate();
        return;
      case SKC_SKINAPPLIED:
        if (!ours) break;
        DropFillCache();
        skinData_.HandleSkinCommand(Message);
        Invalidate();
        if (animated_) StartLight(true);
        return;
      case SKC_PARENTUPDATED:
        if (!skinData_.IsPaintLocked()) break;
        skinData_.PaintLocked = false;
        Invalidate();
        return;
      case SKC_ISSKINNED:
        Message.Result = 1;
        return;
      case SKC_CLEARCACHE:
        DropFillCache();
        break;
      default:
        break;
    }
  }
  const bool ready = Parent() && !(ComponentState() & (csLoading | csReading | csDestroying));
  if (ready && skinData_.Skinned() && skinData_.HandleMessage(Message)) return;
  TGraphicControl::WndProc(Message);
}

void TsGauge::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  ++paintCount_;
  if (skinData_.Skinned()) {
    PaintSkinned(Canvas().Handle());
  } else {
    PaintPlain();
  }
}

}  // namespace klarvik
