// The skinned gauge: its section and the filled part from the progress sections, the
// light's run along the bar (drawn at the gauge's place alone), and the plain kinds.
#include <gtest/gtest.h>

#include "controls/gauge.h"
#include "controls/gauge_math.h"
#include "tests/controls/skinned_controls_fixture.h"

namespace klarvik::test {
namespace {

constexpr std::uint32_t kGaugePixel = 0xFF0000;     // [GAUGE] COLOR 255
constexpr std::uint32_t kProgressH = 0xFFFF00;      // [PROGRESSH] COLOR 65535
constexpr std::uint32_t kProgressV = 0x00FFFF;      // [PROGRESSV] COLOR 16776960

class SkinnedGaugeTest : public SkinnedControlsTest {
 protected:
  TsGauge* NewGauge(TsGaugeKind kind, int width, int height) {
    auto* gauge = new TsGauge(form);
    gauge->SetParent(form);
    gauge->SetKind(kind);
    gauge->SetBounds(10, 10, width, height);
    gauge->SetShowText(false);
    form->Show();
    return gauge;
  }

  // The form's client area as it paints itself now.
  std::uint32_t PixelAt(int x, int y) {
    TBitmap picture(300, 200);
    SendMessageW(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Canvas().Handle()), PRF_CLIENT);
    return picture.Pixels().At(x, y) & 0xFFFFFF;
  }
};

TEST_F(SkinnedGaugeTest, TheFilledPartComesFromTheProgressSectionForEachKindOfBar) {
  ShowSkin();
  struct Case {
    const char* name;
    TsGaugeKind kind;
    bool animated;
    int width, height;
    Point filled, empty;  // in the gauge
    std::uint32_t fill;
  };
  // 47 % of 200 is 94 pixels; of 100, 47.
  const Case cases[] = {
      {"horizontal", TsGaugeKind::gkHorizontalBar, false, 200, 25, {90, 12}, {100, 12}, kProgressH},
      {"vertical", TsGaugeKind::gkVerticalBar, false, 25, 100, {12, 55}, {12, 50}, kProgressV},
      {"vertical, animated: turned", TsGaugeKind::gkVerticalBar, true, 25, 100, {12, 55}, {12, 50}, kProgressH},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TsGauge* gauge = NewGauge(c.kind, c.width, c.height);
    gauge->SetAnimated(c.animated);
    EXPECT_EQ(PixelAt(10 + c.filled.x, 10 + c.filled.y), c.fill);
    EXPECT_EQ(PixelAt(10 + c.empty.x, 10 + c.empty.y), kGaugePixel);
    delete gauge;
  }
}

// The text over the filled part is drawn in the progress section's colours (black here)
// where the filled part reaches the middle of the gauge, and nowhere else.
TEST_F(SkinnedGaugeTest, TheTextIsWrittenOverTheFilledPartWhereItReachesIt) {
  ShowSkin();
  for (int progress : {90, 10}) {
    SCOPED_TRACE(progress);
    TsGauge* gauge = NewGauge(TsGaugeKind::gkHorizontalBar, 200, 25);
    gauge->SetAnimated(false);
    gauge->Font().SetHeight(-18);
    gauge->SetShowText(true);
    gauge->SetProgress(progress);
    const int filled = FillLength(progress, 200);
    TBitmap picture(300, 200);
    SendMessageW(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Canvas().Handle()), PRF_CLIENT);
    const PixelView pixels = picture.Pixels();
    int black = 0;
    for (int x = 0; x < filled; ++x)
      for (int y = 0; y < 25; ++y) black += (pixels.At(10 + x, 10 + y) & 0xFFFFFF) == 0 ? 1 : 0;
    if (progress == 90) {
      EXPECT_GT(black, 10);
    } else {
      EXPECT_EQ(black, 0);
    }
    delete gauge;
  }
}

TEST_F(SkinnedGaugeTest, WithoutASkinTheLightStopsAtItsFirstTick) {
  TsGauge* gauge = NewGauge(TsGaugeKind::gkHorizontalBar, 200, 25);
  gauge->Loaded();
  ASSERT_TRUE(gauge->LightRunning());
  gauge->LightTick();
  EXPECT_FALSE(gauge->LightRunning());
  ShowSkin();
  EXPECT_TRUE(gauge->LightRunning());
}

// The light runs from the bar's start every 2.2 s at 15 pixels a tick, drawn at the
// gauge's place alone: the window around it is never asked to repaint. Frames are drawn
// while the light is over the filled part (94 of 200 pixels at 47 %) and once more to take
// it away; then one wait stands for the rest of the cycle.
TEST_F(SkinnedGaugeTest, TheLightRunsAlongTheFilledPartAndRepaintsOnlyTheGauge) {
  ShowSkin();
  TsGauge* gauge = NewGauge(TsGaugeKind::gkHorizontalBar, 200, 25);
  UpdateWindow(form->Handle());
  const int paints = gauge->PaintCount();
  gauge->LightTick();  // the first tick starts a run, the light still wholly before the bar
  EXPECT_EQ(gauge->LightOffset(), -300 + 15);
  EXPECT_EQ(gauge->PaintCount(), paints);
  EXPECT_EQ(gauge->LightInterval(), 22u);
  int ticks = 1;
  while (gauge->LightInterval() == 22u && ticks < 200) {
    gauge->LightTick();
    ++ticks;
  }
  EXPECT_EQ(ticks, 28);  // the 28th tick's light starts at 105, past the filled part
  EXPECT_EQ(gauge->PaintCount() - paints, 27);
  // The next run starts 102 ticks after this one began.
  EXPECT_EQ(gauge->LightInterval(), (103u - 28u) * 22u);
  RECT invalid{};
  EXPECT_FALSE(GetUpdateRect(form->Handle(), &invalid, FALSE));
  gauge->LightTick();
  EXPECT_EQ(gauge->LightOffset(), -300 + 15);  // the next run begins
  EXPECT_EQ(gauge->LightInterval(), 22u);
}

TEST_F(SkinnedGaugeTest, NoLightIsShownForAnEmptyGaugeOrAHiddenWindow) {
  ShowSkin();
  TsGauge* gauge = NewGauge(TsGaugeKind::gkHorizontalBar, 200, 25);
  gauge->SetProgress(0);
  const int paints = gauge->PaintCount();
  for (int i = 0; i < 5; ++i) gauge->LightTick();
  EXPECT_EQ(gauge->PaintCount(), paints);
  EXPECT_GT(gauge->LightInterval(), 1000u);  // nothing to show: it waits for the next run
  gauge->SetProgress(50);
  form->Hide();
  const int hidden = gauge->PaintCount();
  for (int i = 0; i < 5; ++i) gauge->LightTick();
  EXPECT_EQ(gauge->PaintCount(), hidden);
}

TEST_F(SkinnedGaugeTest, PlainPiesAndNeedlesFillWithTheirShare) {
  struct Case {
    TsGaugeKind kind;
    int progress;
    Point probe;  // in the gauge
    bool foreground;
  };
  // A pie fills clockwise from twelve o'clock; a needle points left at 0 %, right at 100 %.
  const Case cases[] = {
      {TsGaugeKind::gkPie, 25, {45, 15}, true},   // upper right quarter
      {TsGaugeKind::gkPie, 25, {15, 45}, false},  // lower left
      {TsGaugeKind::gkPie, 0, {45, 15}, false},
  };
  for (const Case& c : cases) {
    TsGauge* gauge = NewGauge(c.kind, 60, 60);
    gauge->SetForeColor(TColor{0x0000FF});
    gauge->SetBackColor(TColor{0xFFFFFF});
    gauge->SetProgress(c.progress);
    const std::uint32_t pixel = PixelAt(10 + c.probe.x, 10 + c.probe.y);
    EXPECT_EQ(pixel == 0xFF0000, c.foreground) << static_cast<int>(c.kind) << " at " << c.progress;
    delete gauge;
  }
}

}  // namespace
}  // namespace klarvik::test
