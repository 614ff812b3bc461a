// Cross-fading a control's old picture into its new one, and the timers of animations.
#include "controls/fade_timer.h"

#include <gtest/gtest.h>

#include "controls/animation_timer.h"
#include "tests/controls/skinned_controls_fixture.h"

namespace klarvik::test {
namespace {

constexpr std::uint32_t kNormalPixel = 0xFF0000FF;  // blue
constexpr std::uint32_t kHotPixel = 0xFFFF0000;     // red

// Paints its cache blue, or red while hot, when told to; records the frames a fade hands
// it, and stops its fade when told to, unless it is deaf to that.
class FadingPanel : public SkinnedPanel {
 public:
  FadingPanel(TComponent* owner) : SkinnedPanel(owner, 51, true) {}

  void WndProc(TMessage& message) override {
    if (message.Msg == WM_SKINCOMMAND) {
      switch (SkinCommandOf(message.WParam)) {
        case SKC_BGPAINTED: {
          data.PrepareCache();
          PixelView pixels = data.CacheBitmap()->Pixels();
          for (int y = 0; y < pixels.height; ++y)
            for (int x = 0; x < pixels.width; ++x) pixels.At(x, y) = hot ? kHotPixel : kNormalPixel;
          data.BackgroundDirty = false;
          message.Result = 0;
          return;
        }
        case SKC_DRAWFADEFRAME:
          frames.push_back(reinterpret_cast<TBitmap*>(message.LParam)->Pixels().At(5, 5));
          message.Result = 1;
          return;
        case SKC_STOPANIMATION:
          ++stops;
          if (!deaf) StopFade(fade, data);
          return;
        default:
          break;
      }
    }
    SkinnedPanel::WndProc(message);
  }

  bool hot = false;
  bool deaf = false;
  int stops = 0;
  std::vector<std::uint32_t> frames;  // the middle pixel of each frame
  TsFadeTimerRef fade;
};

class FadeTest : public SkinnedControlsTest {
 protected:
  FadingPanel* NewFader(const char* section) {
    ShowSkin();
    auto* panel = new FadingPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 75, 25);
    panel->data.SetSkinSection(section);
    panel->HandleNeeded();
    panel->Perform(WM_SKINCOMMAND, SkinCommandParam(SKC_BGPAINTED), 0);  // the picture before the change
    return panel;
  }

  // Handles messages until the fade ends or five seconds pass.
  void PumpUntilStopped(FadingPanel& panel, size_t frames = SIZE_MAX) {
    const ULONGLONG deadline = GetTickCount64() + 5000;
    while ((panel.fade || panel.stops == 0) && panel.frames.size() < frames && GetTickCount64() < deadline) {
      Pump();
      Sleep(2);
    }
  }
};

std::uint8_t Red(std::uint32_t pixel) { return static_cast<std::uint8_t>(pixel >> 16); }

TEST(AnimationAllowed, TheControlsOwnEventsOrTheManagersWhenItDefersToThem) {
  TApplication app(nullptr);
  TsSkinManager manager(nullptr);
  manager.AnimEffects.Buttons.Events = beMouseEnter | beMouseLeave | beMouseUp;  // no press
  struct Case {
    TacFadeEvent event;
    TacAnimatEvents events;
    bool allowed;
  };
  const Case cases[] = {
      {kFadeEnter, aeMouseEnter, true},   {kFadeDown, aeMouseDown, true},   {kFadeLeave, aeMouseEnter, false},
      {kFadeDown, aeGlobalDef, false},    {kFadeUp, aeGlobalDef, true},     {kFadeEnter, 0, false},
      {kFadeDown, aeGlobalDef | aeMouseDown, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.event << " / " << c.events);
    EXPECT_EQ(AnimationAllowed(c.event, c.events, &manager), c.allowed);
  }
}

TEST_F(FadeTest, ASectionThatDoesNotFadeRepaintsAtOnce) {
  FadingPanel* panel = NewFader("STILL");
  panel->hot = true;
  ChangeState(panel->fade, panel->data, false, 1, true);
  EXPECT_EQ(panel->fade, nullptr);
  EXPECT_EQ(LiveFadeTimers(), 0);
  EXPECT_TRUE(panel->data.BackgroundDirty);
}

TEST_F(FadeTest, AFadeTakesTheSectionsStepsFromTheOldPictureToTheNew) {
  struct Case {
    bool half;
    size_t steps;
  };
  for (const Case c : {Case{false, 20}, Case{true, 10}}) {
    SCOPED_TRACE(c.half);
    FadingPanel* panel = NewFader("FADER");
    panel->hot = true;
    ChangeState(panel->fade, panel->data, c.half, 1, true);
    ASSERT_NE(panel->fade, nullptr);
    PumpUntilStopped(*panel);
    EXPECT_EQ(panel->fade, nullptr);
    EXPECT_EQ(LiveFadeTimers(), 0);
    ASSERT_EQ(panel->frames.size(), c.steps);
    for (size_t i = 1; i < c.steps; ++i) EXPECT_GT(Red(panel->frames[i]), Red(panel->frames[i - 1]));
    EXPECT_EQ(panel->frames.back(), kHotPixel);
  }
}

TEST_F(FadeTest, DisablingTheControlMidwayEndsTheFade) {
  FadingPanel* panel = NewFader("FADER");
  panel->hot = true;
  ChangeState(panel->fade, panel->data, false, 1, true);
  PumpUntilStopped(*panel, 3);
  ASSERT_EQ(panel->frames.size(), 3u);
  panel->SetEnabled(false);
  for (int i = 0; i < 10; ++i) {
    Pump();
    Sleep(12);
  }
  EXPECT_EQ(panel->frames.size(), 3u);
  ASSERT_NE(panel->fade, nullptr);
  EXPECT_FALSE(panel->fade->Enabled());
  EXPECT_TRUE(panel->data.BackgroundDirty);  // repainted in its disabled look
}

TEST_F(FadeTest, AControlDestroyedMidwayTakesItsFadeWithIt) {
  FadingPanel* panel = NewFader("FADER");
  panel->hot = true;
  ChangeState(panel->fade, panel->data, false, 1, true);
  PumpUntilStopped(*panel, 2);
  ASSERT_EQ(LiveFadeTimers(), 1);
  delete panel;
  EXPECT_EQ(LiveFadeTimers(), 0);
  for (int i = 0; i < 5; ++i) {
    Pump();
    Sleep(12);
  }
}

// Closing mid-fade never hangs: a control that does not stop its fade is stopped for it.
TEST_F(FadeTest, ClosingEndsEveryFadeWithinItsWait) {
  for (bool deaf : {false, true}) {
    SCOPED_TRACE(deaf);
    FadingPanel* panel = NewFader("FADER");
    panel->deaf = deaf;
    panel->hot = true;
    ChangeState(panel->fade, panel->data, false, 1, true);
    ASSERT_EQ(LiveFadeTimers(), 1);
    EXPECT_EQ(EndFades(200), deaf ? 1 : 0);
    const size_t frames = panel->frames.size();
    for (int i = 0; i < 5; ++i) {
      Pump();
      Sleep(12);
    }
    EXPECT_EQ(panel->frames.size(), frames);  // no step after closing
    SetFadesClosing(false);
    panel->deaf = false;
    StopFade(panel->fade, panel->data);
  }
}

TEST_F(SkinnedControlsTest, AnAnimationTimerTicksOnlyWithAnIntervalAndAHandler) {
  struct Case {
    unsigned interval;
    bool handler;
    bool ticks;
  };
  for (const Case c : {Case{0, true, false}, Case{15, false, false}, Case{15, true, true}}) {
    SCOPED_TRACE(c.interval);
    TacThreadedTimer timer(&app);
    int ticks = 0;
    timer.SetInterval(c.interval);
    if (c.handler) timer.SetOnTimer([&](TObject*) { ++ticks; });
    const ULONGLONG until = GetTickCount64() + 150;
    while (GetTickCount64() < until) {
      Pump();
      Sleep(5);
    }
    EXPECT_EQ(ticks > 0, c.ticks);
  }
}

TEST_F(SkinnedControlsTest, AControlsAnimationTimerStartsStillAndCallsItsOwnTick) {
  class Counting : public TacThreadedTimer {
   public:
    using TacThreadedTimer::TacThreadedTimer;
    int ticks = 0;

   protected:
    void Tick() override { ++ticks; }
  };
  SkinnedPanel* panel = NewPanel(form, "PANEL");
  Counting timer(panel, true);
  EXPECT_FALSE(timer.Enabled());
  timer.SetInterval(10);
  timer.SetEnabled(true);
  const ULONGLONG deadline = GetTickCount64() + 3000;
  while (timer.ticks == 0 && GetTickCount64() < deadline) {
    Pump();
    Sleep(5);
  }
  EXPECT_GT(timer.ticks, 0);
}

}  // namespace
}  // namespace klarvik::test
