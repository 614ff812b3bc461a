#pragma once
// TsGauge: a windowless horizontal progress gauge with a centred percentage text.
// Until the skin engine draws it, it paints the plain look: a black frame, the empty
// part in BackColor, the filled part in ForeColor, and the text inverted where it
// crosses the filled part.
#include <cstdint>
#include <string>

#include "runtime/graphic_control.h"

namespace klarvik {

class TsGauge : public TGraphicControl {
 public:
  explicit TsGauge(TComponent* AOwner);

  std::int32_t MinValue() const { return minValue_; }
  // Fails with EInvalidOperation above MaxValue (outside loading); raises Progress to the value.
  void SetMinValue(std::int32_t value);
  std::int32_t MaxValue() const { return maxValue_; }
  // Fails with EInvalidOperation below MinValue (outside loading); lowers Progress to the value.
  void SetMaxValue(std::int32_t value);
  std::int32_t Progress() const { return progress_; }
  // Clamped into MinValue .. MaxValue; raises OnChange when the stored value changes.
  void SetProgress(std::int32_t value);
  int ProgressPercent() const;

  const std::wstring& Suffix() const { return suffix_; }
  void SetSuffix(const std::wstring& suffix);
  bool CalcPercents() const { return calcPercents_; }
  void SetCalcPercents(bool calcPercents);
  bool ShowText() const { return showText_; }
  void SetShowText(bool showText);
  TColor ForeColor() const { return foreColor_; }
  void SetForeColor(TColor color);
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor color);

  // The text drawn on the gauge: the percentage (or Progress) followed by Suffix.
  std::wstring Text() const;

  TNotifyEvent OnChange;

 protected:
  void Paint() override;

 private:
  std::int32_t minValue_ = 0;
  std::int32_t maxValue_ = 100;
  std::int32_t progress_ = 47;
  std::wstring suffix_ = L"%";
  bool calcPercents_ = true;
  bool showText_ = true;
  TColor foreColor_ = clBlack;
  TColor backColor_ = clWhite;
};

}  // namespace klarvik
