#include "widgets/circular_progress.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tests/widgets/widget_paint_support.h"

namespace klarvik::test {
namespace {

using circular_progress::AnimationState;
using circular_progress::InvalidatedArea;
using circular_progress::kSegmentCount;

constexpr TColor kActive = RgbColor(159, 159, 255);
constexpr TColor kTransition = RgbColor(0, 0, 160);
constexpr TColor kInactive = clSilver;
constexpr TColor kProgress = RgbColor(128, 0, 64);
constexpr int kLeft = 30;
constexpr int kTop = 20;
constexpr int kSize = 49;  // the status window's indicator: sweep 23°, hole 11, 11, 26 x 26

class CircularProgressTest : public WidgetFormTest {
 protected:
  // The indicator on the form, loaded with it (so its timer follows its enabled state).
  void SetUp() override {
    WidgetFormTest::SetUp();
    progress = new TAdvCircularProgress(form);
    progress->SetParent(form);
    progress->SetBounds(kLeft, kTop, kSize, kSize);
    progress->OnProgressUpdate = [this](TObject* sender) {
      EXPECT_EQ(sender, progress);
      states.push_back({progress->CurrentIndex(), progress->Filling()});
      if (onTick) onTick();
    };
    form->EndLoading();
  }

  // A point in the middle of the ring at an angle (degrees clockwise from three o'clock).
  static POINT RingPoint(double degrees, double radius = (kSize / 2.0 + 13.0) / 2.0) {
    const double centre = kSize / 2.0;
    const double radians = degrees * 3.14159265358979 / 180.0;
    return POINT{kLeft + static_cast<int>(std::floor(centre + radius * std::cos(radians))),
                 kTop + static_cast<int>(std::floor(centre + radius * std::sin(radians)))};
  }
  static POINT SegmentCentre(int index) { return RingPoint(-90.0 + 30.0 * (index - 1) + 23.0 / 2); }
  // True when some point of the 7° gap after the segment, near the rim where it is widest,
  // shows the background (edges are not smoothed alike everywhere, so no single point is sure).
  static bool GapAfterShows(TBitmap& image, int index, std::uint32_t background) {
    const double gapStart = -90.0 + 30.0 * (index - 1) + 23.0;
    for (double angle = gapStart; angle <= gapStart + 7.0; angle += 0.5) {
      const POINT point = RingPoint(angle, 21.0);
      if (Rgb(image, point.x, point.y) == background) return true;
    }
    return false;
  }

  // The colour of each segment's middle as a row of letters: T transition, A active,
  // P progress, I inactive, B background, ? anything else.
  std::string PaintedRoles() {
    const auto image = PaintForm();
    std::string roles;
    for (int index = 1; index <= kSegmentCount; ++index) {
      const POINT point = SegmentCentre(index);
      const std::uint32_t pixel = Rgb(*image, point.x, point.y);
      const struct {
        TColor color;
        char letter;
      } known[] = {{kTransition, 'T'}, {kActive, 'A'}, {kProgress, 'P'}, {kInactive, 'I'}, {clWhite, 'B'}};
      char letter = '?';
      for (const auto& k : known) {
        if (pixel == PixelOf(k.color)) letter = k.letter;
      }
      roles += letter;
    }
    return roles;
  }

  // Shows the form and lets the animation run until it reaches the state, then stops it there.
  void AnimateTo(AnimationState wanted) {
    progress->SetInterval(10);
    onTick = [this, wanted] {
      if (states.back() == wanted) progress->SetEnabled(false);
    };
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return !progress->Animating(); }, milliseconds(5000)));
    onTick = nullptr;
    ASSERT_EQ(progress->CurrentIndex(), wanted.current);
    ASSERT_EQ(progress->Filling(), wanted.filling);
  }

  TAdvCircularProgress* progress = nullptr;
  std::vector<AnimationState> states;  // after each tick
  std::function<void()> onTick;
};

TEST_F(CircularProgressTest, DefaultsAndGdiplusStartedOnDemand) {
  TAdvCircularProgress fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 60);
  EXPECT_EQ(fresh.Height(), 60);
  EXPECT_EQ(fresh.Position(), 0);
  EXPECT_EQ(fresh.Min(), 0);
  EXPECT_EQ(fresh.Max(), 100);
  EXPECT_EQ(fresh.Step(), 10);
  EXPECT_EQ(fresh.Interval(), 100u);
  EXPECT_EQ(fresh.CurrentIndex(), 1);
  EXPECT_TRUE(fresh.Filling());
  EXPECT_EQ(fresh.Version(), L"1.0.1.1");
  EXPECT_EQ(fresh.Appearance().BorderColor(), clNone);
  EXPECT_EQ(fresh.Appearance().BackGroundColor(), clNone);
  EXPECT_EQ(fresh.Appearance().ActiveSegmentColor(), kActive);
  EXPECT_EQ(fresh.Appearance().TransitionSegmentColor(), kTransition);
  EXPECT_EQ(fresh.Appearance().InActiveSegmentColor(), kInactive);
  EXPECT_EQ(fresh.Appearance().ProgressSegmentColor(), kProgress);
  // The test holds no GDI+ session: the indicators started it themselves.
  EXPECT_TRUE(GdiplusSession::Started());
  EXPECT_EQ(PaintedRoles(), "TIIIIIIIIIII");
}

TEST_F(CircularProgressTest, PaintsEachSegmentInTheColourOfItsRole) {
  const auto image = PaintForm();
  const std::uint32_t white = PixelOf(clWhite);
  EXPECT_EQ(Rgb(*image, kLeft + 24, kTop + 24), white) << "hole";
  EXPECT_EQ(Rgb(*image, kLeft + 13, kTop + 24), white) << "near the edge of the hole, on segment 10's line";
  EXPECT_EQ(Rgb(*image, kLeft + 1, kTop + 1), white) << "corner outside the ring";
  for (int index = 1; index <= kSegmentCount; ++index) {
    EXPECT_TRUE(GapAfterShows(*image, index, white)) << "gap after segment " << index;
  }

  const struct {
    const char* name;
    int min, max, position;
    AnimationState animateTo;
    const char* roles;
  } cases[] = {
      {"a written position moves the transition segment", 0, 100, 5, {5, true}, "AAAATIIIIIII"},
      {"progress ahead of the transition segment", 0, 6, 2, {2, true}, "ATPPIIIIIIII"},
      {"emptying lap", 0, 100, 0, {5, false}, "IIIITAAAAAAA"},
      {"Position at Max on an emptying lap", 0, 100, 100, {5, false}, "PPPPTAAAAAAA"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    progress->SetMax(c.max);
    progress->SetMin(c.min);
    progress->SetPosition(c.position);
    if (progress->CurrentIndex() != c.animateTo.current || progress->Filling() != c.animateTo.filling) {
      progress->SetEnabled(true);
      AnimateTo(c.animateTo);
    }
    EXPECT_EQ(PaintedRoles(), c.roles);
  }
}

TEST_F(CircularProgressTest, ColoursSetToNoneLeaveWhatIsBehind) {
  TProgressAppearance& appearance = progress->Appearance();
  appearance.SetInActiveSegmentColor(clNone);
  EXPECT_EQ(PaintedRoles(), "TBBBBBBBBBBB");

  appearance.SetBackGroundColor(clLime);
  appearance.SetBorderColor(clRed);
  const auto image = PaintForm();
  EXPECT_EQ(Rgb(*image, kLeft, kTop), PixelOf(clRed));
  EXPECT_EQ(Rgb(*image, kLeft + kSize - 1, kTop + kSize - 1), PixelOf(clRed));
  EXPECT_EQ(Rgb(*image, kLeft + 1, kTop + 1), PixelOf(clLime));
  EXPECT_EQ(Rgb(*image, kLeft + 24, kTop + 24), PixelOf(clLime)) << "hole";
  const POINT inactive = SegmentCentre(7);
  EXPECT_EQ(Rgb(*image, inactive.x, inactive.y), PixelOf(clLime));
  const POINT transition = SegmentCentre(1);
  EXPECT_EQ(Rgb(*image, transition.x, transition.y), PixelOf(kTransition));
  EXPECT_EQ(Rgb(*image, kLeft - 1, kTop - 1), PixelOf(clWhite)) << "outside the control";
}

TEST_F(CircularProgressTest, AppearanceReportsOnlyRealChangesAndCopiesSilently) {
  TProgressAppearance appearance;
  int changes = 0;
  appearance.OnChange = [&](TObject*) { ++changes; };
  appearance.SetActiveSegmentColor(kActive);
  appearance.SetBorderColor(clNone);
  EXPECT_EQ(changes, 0);
  appearance.SetBorderColor(clBlack);
  appearance.SetBackGroundColor(clWhite);
  appearance.SetTransitionSegmentColor(clRed);
  appearance.SetInActiveSegmentColor(clNone);
  appearance.SetProgressSegmentColor(clBlue);
  appearance.SetActiveSegmentColor(clLime);
  EXPECT_EQ(changes, 6);

  TProgressAppearance copy;
  int copyChanges = 0;
  copy.OnChange = [&](TObject*) { ++copyChanges; };
  copy.Assign(appearance);
  EXPECT_EQ(copyChanges, 0);
  EXPECT_EQ(copy.BorderColor(), clBlack);
  EXPECT_EQ(copy.BackGroundColor(), clWhite);
  EXPECT_EQ(copy.TransitionSegmentColor(), clRed);
  EXPECT_EQ(copy.InActiveSegmentColor(), clNone);
  EXPECT_EQ(copy.ProgressSegmentColor(), clBlue);
  EXPECT_EQ(copy.ActiveSegmentColor(), clLime);

  progress->SetAppearance(appearance);
  const auto image = PaintForm();
  const POINT transition = SegmentCentre(1);
  EXPECT_EQ(Rgb(*image, transition.x, transition.y), PixelOf(clRed));
  EXPECT_EQ(Rgb(*image, kLeft, kTop), PixelOf(clBlack));
}

TEST_F(CircularProgressTest, PositionMinAndMaxWrites) {
  struct Step {
    const char* write;
    int value;
    int position, min, max, current;
  };
  const Step steps[] = {
      {"Position", 40, 40, 0, 100, 40},  {"Position", 101, 40, 0, 100, 40},  // outside: nothing moves
      {"Position", -1, 40, 0, 100, 40},  {"Max", -5, 40, 0, 100, 40},        // negative Max ignored
      {"Max", 30, 30, 0, 30, 30},        // below Position: drags it (and the animation) down
      {"Min", 31, 30, 0, 30, 30},        // above Max: ignored
      {"Min", -1, 30, 0, 30, 30},        {"Min", 20, 30, 20, 30, 30},
      {"Min", 30, 30, 30, 30, 30},       // up to Max: Position stays
      {"Max", 10, 30, 30, 10, 30},       // below Min: Max is not checked, Position cannot follow
      {"Max", 100, 30, 30, 100, 30},     {"Position", 29, 30, 30, 100, 30},
      {"Position", 75, 75, 30, 100, 75},
  };
  for (const Step& s : steps) {
    const std::string write = s.write;
    if (write == "Position") progress->SetPosition(s.value);
    if (write == "Min") progress->SetMin(s.value);
    if (write == "Max") progress->SetMax(s.value);
    SCOPED_TRACE(testing::Message() << write << " := " << s.value);
    EXPECT_EQ(progress->Position(), s.position);
    EXPECT_EQ(progress->Min(), s.min);
    EXPECT_EQ(progress->Max(), s.max);
    EXPECT_EQ(progress->CurrentIndex(), s.current);
    EXPECT_TRUE(progress->Filling());
  }
}

// Max is not checked against Min, so Min = Max below Position is reachable; the progress
// count must not divide by the empty range.
TEST_F(CircularProgressTest, EmptyRangeBelowThePositionShowsNoProgress) {
  progress->SetMin(50);
  progress->SetPosition(75);
  progress->SetMax(20);
  progress->SetMin(20);
  ASSERT_EQ(progress->Min(), 20);
  ASSERT_EQ(progress->Max(), 20);
  ASSERT_EQ(progress->Position(), 75);
  AnimateTo({3, false});
  EXPECT_EQ(PaintedRoles(), "IITAAAAAAAAA");
}

TEST_F(CircularProgressTest, TimerFollowsTheEnabledStateOnceLoaded) {
  EXPECT_TRUE(progress->Animating());
  progress->SetEnabled(false);
  EXPECT_FALSE(progress->Animating());
  progress->SetEnabled(true);
  EXPECT_TRUE(progress->Animating());

  auto* inCode = new TAdvCircularProgress(form);  // the form has finished loading
  EXPECT_FALSE(inCode->Animating());
  inCode->SetEnabled(false);
  inCode->SetEnabled(true);
  EXPECT_TRUE(inCode->Animating());

  auto* loadedDisabled = new TForm(&app);
  auto* disabled = new TAdvCircularProgress(loadedDisabled);
  disabled->SetEnabled(false);
  loadedDisabled->EndLoading();
  EXPECT_FALSE(disabled->Animating());

  progress->SetInterval(250);
  EXPECT_EQ(progress->Interval(), 250u);
}

TEST_F(CircularProgressTest, EachTickAdvancesAndInvalidatesOnlyTheChangedPart) {
  // Started only once the form's own first paints are over, so only ticks invalidate.
  progress->SetEnabled(false);
  progress->SetInterval(10);
  form->Show();
  PumpFor(milliseconds(200));
  std::vector<RECT> updated;
  bool primed = false;
  onTick = [&] {
    RECT area{};
    if (primed) {
      GetUpdateRect(form->Handle(), &area, FALSE);
      updated.push_back(area);
    }
    ValidateRect(form->Handle(), nullptr);
    primed = true;
  };
  progress->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return updated.size() >= 26; }, milliseconds(5000)));
  progress->SetEnabled(false);

  for (size_t tick = 0; tick < states.size(); ++tick) {
    const int place = static_cast<int>((tick + 1) % 24);  // 24 states, then the first again
    EXPECT_EQ(states[tick], (AnimationState{place % 12 + 1, place < 12})) << "tick " << tick;
  }
  const Rect bounds{kLeft, kTop, kLeft + kSize, kTop + kSize};
  for (size_t i = 0; i < updated.size(); ++i) {
    const Rect area = InvalidatedArea(bounds, states[i + 1].current);
    const RECT& got = updated[i];
    EXPECT_EQ(FromRECT(got), area) << "tick " << i + 1;
  }
}

// While nobody can see it the indicator stops its timer; it goes on from the same segment
// and lap when it is shown again.
TEST_F(CircularProgressTest, PausesWhileHiddenAndResumesWhereItWas) {
  progress->SetInterval(10);
  const struct {
    const char* name;
    std::function<void()> hide, show;
  } cases[] = {
      {"form hidden", [this] { form->Hide(); }, [this] { form->Show(); }},
      {"control hidden", [this] { progress->Hide(); }, [this] { progress->Show(); }},
  };
  form->Show();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t hideAt = states.size() + 7;
    onTick = [&] {
      if (states.size() == hideAt) c.hide();
    };
    ASSERT_TRUE(PumpUntil([&] { return states.size() >= hideAt && !progress->Animating(); }, milliseconds(5000)));
    const AnimationState where = states.back();
    PumpFor(milliseconds(300));
    EXPECT_EQ(states.size(), hideAt) << "ticks while hidden";
    EXPECT_FALSE(progress->Animating());
    EXPECT_EQ((AnimationState{progress->CurrentIndex(), progress->Filling()}), where);

    onTick = nullptr;
    c.show();
    ASSERT_TRUE(PumpUntil([&] { return states.size() > hideAt; }, milliseconds(5000)));
    EXPECT_EQ(states[hideAt], circular_progress::NextAnimationState(where));
  }
}

}  // namespace
}  // namespace klarvik::test
