#pragma once
// TsGauge: a windowless progress gauge: a bar (horizontal or vertical), a pie, a needle
// dial or text alone, with the percentage (or the value) and a suffix written over it.
// With a skin it paints its own section (normally "GAUGE"), the filled part from
// "PROGRESSH"/"PROGRESSV", the text twice (in the gauge's colours over the empty part, in
// the progress section's over the filled part), and a soft light runs along the filled
// part every few seconds. Without one it paints the plain look: a black frame, the empty
// part in BackColor, the filled part in ForeColor, the text inverted where it crosses.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/common_data.h"
#include "runtime/forms.h"
#include "runtime/graphic_control.h"

namespace klarvik {

enum class TsGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

// May change the text before it is drawn.
using TPrintTextEvent = std::function<void(TObject* Sender, std::wstring& TextToPrint)>;

class TsGauge : public TGraphicControl {
 public:
  // The light's timer ticks this often (ms).
  static constexpr unsigned kLightTick = 22;

  explicit TsGauge(TComponent* AOwner);
  ~TsGauge() override;

  TsCommonData& SkinData() { return skinData_; }
  TsGaugeKind Kind() const { return kind_; }
  void SetKind(TsGaugeKind kind);
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
  // The one-pixel frame of the plain look is drawn only for bsSingle.
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TColor ForeColor() const { return foreColor_; }
  void SetForeColor(TColor color);
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor color);
  // Runs the light along the filled part of a skinned bar.
  bool Animated() const { return animated_; }
  void SetAnimated(bool animated);
  // A section for the filled part instead of "PROGRESSH"/"PROGRESSV".
  const std::string& ProgressSkin() const { return progressSkin_; }
  void SetProgressSkin(const std::string& section);

  // The text drawn on the gauge: the percentage (or Progress) followed by Suffix.
  std::wstring Text() const;

  TNotifyEvent OnChange;
  TPrintTextEvent OnPaintText;

  // What a tick of the light's timer does: moves the light on and shows it.
  void LightTick();
  bool LightRunning() const;
  // Milliseconds to the light's next tick.
  unsigned LightInterval() const { return lightWait_ * kLightTick; }
  // Where the light's leading edge is along the bar.
  int LightOffset() const { return lightOffset_; }
  // Pictures of the gauge painted since it was made, for telling what repaints cost.
  int PaintCount() const { return paintCount_; }

  void WndProc(TMessage& Message) override;
  void Loaded() override;

 protected:
  void Paint() override;
  void FontChanged() override;

 private:
  bool Vertical() const { return kind_ == TsGaugeKind::gkVerticalBar; }
  int Length() const { return Vertical() ? Height() : Width(); }
  int Thickness() const { return Vertical() ? Width() : Height(); }
  // The text after OnPaintText had its say (once for every layer drawn).
  std::wstring TextToPrint();
  void StartLight(bool start);
  void DropFillCache() {
    fillCache_.reset();
    lightRegion_.reset();
    fillFrame_.reset();
    uprightFrame_.reset();
  }
  void PaintPlain();
  void PaintSkinned(HDC dc);
  // Paints the skinned picture into the skin data's cache.
  void PaintCache();
  void DrawContent(TBitmap& cache);
  void DrawBarFill(TBitmap& cache);
  // The filled part of a bar drawn through the light's timer or a turned vertical bar:
  // its progress section (after any vertical fallback), length and thickness, and how
  // many pixels are filled.
  struct BarFill {
    int named = -1;    // the section named for the fill, before any fallback
    int section = -1;
    int length = 0;
    int thickness = 0;
    int filled = 0;
  };
  BarFill FillGeometry() const;
  // The filled part with the light and the text over it, and where it goes in the
  // gauge. `parent` is what the progress section shows through; without it the fill is
  // made only from what was painted before (null when nothing was).
  struct FillStrip {
    TBitmap* picture = nullptr;  // the gauge's own frame, kept for the next tick
    Point at;
  };
  FillStrip MakeFill(const BarFill& bar, const TacParentCache* parent);
  void DrawPieOrNeedle(TCanvas& canvas, const Rect& r, bool skinned);
  void DrawFillText(TBitmap& fill, int section, const Rect& rect);
  // Makes the light picture for the gauge's thickness; false when the program carries none.
  bool LoadLight(int thickness);
  void ShowLight();

  TsCommonData skinData_;
  TsGaugeKind kind_ = TsGaugeKind::gkHorizontalBar;
  std::int32_t minValue_ = 0;
  std::int32_t maxValue_ = 100;
  std::int32_t progress_ = 47;
  std::wstring suffix_ = L"%";
  bool calcPercents_ = true;
  bool showText_ = true;
  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSingle;
  TColor foreColor_ = clBlack;
  TColor backColor_ = clWhite;
  bool animated_ = true;
  std::string progressSkin_;
  unsigned lightWait_ = 1;   // ticks until the light's next tick: more while it waits for a run
  int lightElapsed_ = 2223;  // ms into the light's cycle; past 2222 a new run starts
  int lightOffset_ = 9999;   // the light's leading edge along the bar
  bool lightShown_ = false;  // the last frame drawn had the light in it
  std::unique_ptr<TBitmap> lightBitmap_;
  std::unique_ptr<TBitmap> fillCache_;    // the filled part, without light and text
  std::unique_ptr<TBitmap> lightRegion_;  // where the light may shine on it (LRGN), if the skin says
  // The filled part as last shown, and (for a vertical bar) turned upright: kept from
  // tick to tick so that a tick makes no new picture, canvas or font.
  std::unique_ptr<TBitmap> fillFrame_;
  std::unique_ptr<TBitmap> uprightFrame_;
  int paintCount_ = 0;
  std::wstring measuredText_;  // the text last measured for the filled part, and its size
  SIZE measuredSize_{};
};

}  // namespace klarvik
