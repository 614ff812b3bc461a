#include "widgets/circular_progress.h"

#include "runtime/win_control.h"
#include "widgets/gdiplus_objects.h"

namespace klarvik {

using namespace circular_progress;

TAdvCircularProgress::TAdvCircularProgress(TComponent* AOwner) : TGraphicControl(AOwner) {
  appearance_.OnChange = [this](TObject*) { AppearanceChanged(); };
  timer_.SetInterval(100);
  timer_.OnTimer = [this](TObject*) { AnimationTick(); };
  SetBounds(Left(), Top(), 60, 60);
  BuildGeometry();
}

TAdvCircularProgress::~TAdvCircularProgress() = default;

void TAdvCircularProgress::SetAppearance(const TProgressAppearance& value) {
  appearance_.Assign(value);
  AppearanceChanged();
}

void TAdvCircularProgress::SetPosition(int value) {
  if (value < min_ || value > max_) return;
  position_ = value;
  animation_ = AnimationState{value, true};
  Invalidate();
}

void TAdvCircularProgress::SetMin(int value) {
  if (value == min_ || value < 0 || value > max_) return;
  min_ = value;
  if (position_ < value) SetPosition(value);
  Invalidate();
}

void TAdvCircularProgress::SetMax(int value) {
  if (value == max_ || value < 0) return;
  max_ = value;
  if (value < position_) SetPosition(value);
  Invalidate();
}

void TAdvCircularProgress::Loaded() {
  TGraphicControl::Loaded();
  BuildGeometry();
  FollowEnabledState();
}

void TAdvCircularProgress::Resize() {
  BuildGeometry();
  TGraphicControl::Resize();
}

void TAdvCircularProgress::EnabledChanged() {
  TGraphicControl::EnabledChanged();
  FollowEnabledState();
}

void TAdvCircularProgress::FollowEnabledState() {
  paused_ = false;
  timer_.SetEnabled(Enabled());
}

void TAdvCircularProgress::BuildGeometry() {
  geometryHasBorder_ = appearance_.BorderColor() != clNone;
  const Rect outer = OuterBox(Width(), Height(), geometryHasBorder_);
  const auto x = static_cast<float>(outer.left);
  const auto y = static_cast<float>(outer.top);
  const auto width = static_cast<float>(outer.Width());
  const auto height = static_cast<float>(outer.Height());
  const auto sweep = static_cast<float>(SegmentSweep(Width(), Height()));
  for (int index = 1; index <= kSegmentCount; ++index) {
    auto segment = std::make_unique<gdip::Path>();
    segment->AddPie(x, y, width, height, SegmentStartAngle(index), sweep);
    segments_[static_cast<size_t>(index - 1)] = std::move(segment);
  }
  const Rect holeBox = HoleBox(outer);
  hole_.reset();
  holePath_ = std::make_unique<gdip::Path>();
  holePath_->AddPie(static_cast<float>(holeBox.left), static_cast<float>(holeBox.top),
                    static_cast<float>(holeBox.Width()), static_cast<float>(holeBox.Height()), 0.0f, 360.0f);
  hole_ = std::make_unique<gdip::Region>(*holePath_);
}

void TAdvCircularProgress::AppearanceChanged() {
  // The border takes a pixel from the ring's box.
  if ((appearance_.BorderColor() != clNone) != geometryHasBorder_) BuildGeometry();
  Invalidate();
}

void TAdvCircularProgress::Paint() {
  if (paused_) FollowEnabledState();
  TCanvas& canvas = Canvas();
  const Rect client = ClientRect();
  if (appearance_.BackGroundColor() != clNone) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(appearance_.BackGroundColor());
    canvas.FillRect(client);
  }
  if (appearance_.BorderColor() != clNone) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(appearance_.BorderColor());
    canvas.FrameRect(client);
  }

  gdip::Graphics graphics(canvas.Handle());
  if (!graphics.Valid() || graphics.ExcludeClip(*hole_) != Gdiplus::Ok) return;
  graphics.SetAntiAlias();
  const int progressCount = ProgressCount(position_, min_, max_);
  for (int index = 1; index <= kSegmentCount; ++index) {
    TColor color = clNone;
    switch (RoleOfSegment(index, animation_.current, animation_.filling, progressCount)) {
      case SegmentRole::Transition:
        color = appearance_.TransitionSegmentColor();
        break;
      case SegmentRole::Active:
        color = appearance_.ActiveSegmentColor();
        break;
      case SegmentRole::Progress:
        color = appearance_.ProgressSegmentColor();
        break;
      case SegmentRole::Inactive:
        color = appearance_.InActiveSegmentColor();
        break;
    }
    if (color == clNone) continue;
    const gdip::SolidBrush brush(gdip::OpaqueArgb(color));
    graphics.FillPath(brush, *segments_[static_cast<size_t>(index - 1)]);
  }
}

bool TAdvCircularProgress::CanBeSeen() const {
  TWinControl* parent = Parent();
  if (!Showing() || !parent || !parent->HandleAllocated()) return false;
  const HWND window = parent->Handle();
  return IsWindowVisible(window) && !IsIconic(GetAncestor(window, GA_ROOT));
}

void TAdvCircularProgress::AnimationTick() {
  if (!CanBeSeen()) {
    paused_ = true;
    timer_.SetEnabled(false);
    return;
  }
  if (Enabled()) {
    animation_ = NextAnimationState(animation_);
    const RECT changed = ToRECT(InvalidatedArea(BoundsRect(), animation_.current));
    InvalidateRect(Parent()->Handle(), &changed, TRUE);
  }
  if (OnProgressUpdate) OnProgressUpdate(this);
}

}  // namespace klarvik
