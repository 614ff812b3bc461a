#pragma once
// TAdvCircularProgress: a windowless ring of twelve segments with a highlighted segment
// travelling clockwise, filling the ring on one lap and emptying it on the next, and
// optionally showing a progress value in a third colour.
#include <array>
#include <memory>
#include <string>

#include "runtime/graphic_control.h"
#include "widgets/circular_progress_math.h"
#include "widgets/gdiplus_session.h"
#include "widgets/message_timer.h"
#include "widgets/progress_appearance.h"

namespace klarvik {

namespace gdip {
class Path;
class Region;
}  // namespace gdip

class TAdvCircularProgress : public TGraphicControl {
 public:
  explicit TAdvCircularProgress(TComponent* AOwner);
  ~TAdvCircularProgress() override;

  TProgressAppearance& Appearance() { return appearance_; }
  void SetAppearance(const TProgressAppearance& value);

  // Writes outside Min..Max are ignored; a write also moves the transition segment.
  int Position() const { return position_; }
  void SetPosition(int value);
  int Min() const { return min_; }
  void SetMin(int value);
  // Not checked against Min, so Max may end up at or below it.
  int Max() const { return max_; }
  void SetMax(int value);
  // Kept with the form; has no effect on drawing.
  int Step() const { return step_; }
  void SetStep(int value) { step_ = value; }
  // Milliseconds between animation steps.
  UINT Interval() const { return timer_.Interval(); }
  void SetInterval(UINT value) { timer_.SetInterval(value); }
  std::wstring Version() const { return L"1.0.1.1"; }

  // The animation: the transition segment's index and whether the lap fills the ring.
  int CurrentIndex() const { return animation_.current; }
  bool Filling() const { return animation_.filling; }
  // True while the animation timer runs: the control is enabled, was loaded from its form
  // or has changed its enabled state since, and was not found hidden at a tick.
  bool Animating() const { return timer_.Enabled(); }

  // Raised after every animation tick.
  TNotifyEvent OnProgressUpdate;

  void Loaded() override;

 protected:
  void Paint() override;
  void Resize() override;
  void EnabledChanged() override;

 private:
  void BuildGeometry();
  void AppearanceChanged();
  void AnimationTick();
  // Pauses the animation while nobody can see it; a paint (the first sign of it being
  // seen again) resumes it.
  bool CanBeSeen() const;
  void FollowEnabledState();

  // First member: GDI+ stays up until every shape below is gone.
  GdiplusSession gdiplus_;
  std::array<std::unique_ptr<gdip::Path>, circular_progress::kSegmentCount> segments_;
  std::unique_ptr<gdip::Path> holePath_;
  std::unique_ptr<gdip::Region> hole_;
  bool geometryHasBorder_ = false;
  TMessageTimer timer_;
  TProgressAppearance appearance_;
  int position_ = 0;
  int min_ = 0;
  int max_ = 100;
  int step_ = 10;
  circular_progress::AnimationState animation_;
  bool paused_ = false;
};

}  // namespace klarvik
