#include "controls/fade_timer.h"

#include <algorithm>
#include <vector>

#include "controls/common_data.h"
#include "paint/primitives/bitmap_ops.h"
#include "runtime/application.h"
#include "runtime/win_control.h"
#include "skin/manager/skin_broadcast.h"
#include "win/handles.h"

namespace klarvik {

namespace {

constexpr UINT kStepInterval = 10;  // ms

std::vector<TsFadeTimer*>& Live() {
  static std::vector<TsFadeTimer*> timers;
  return timers;
}

bool closing = false;

std::unique_ptr<TBitmap> CopyOf(TBitmap& source) {
  auto copy = std::make_unique<TBitmap>(source.Width(), source.Height());
  const PixelView from = source.Pixels();
  CopyRect(copy->Pixels(), 0, 0, from, Rect{0, 0, from.width, from.height});
  return copy;
}

int Iterations(const TsGeneralData& section) { return std::max(section.FadingIterations, 0); }

}  // namespace

bool AnimationAllowed(TacFadeEvent event, TacAnimatEvents events, const TsSkinManager* manager) {
  static constexpr TacAnimatEvent kOwn[] = {aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp};
  static constexpr TacBtnEvent kManagers[] = {beMouseEnter, beMouseLeave, beMouseDown, beMouseUp};
  const auto index = static_cast<std::size_t>(event);
  if (events & kOwn[index]) return true;
  if (!(events & aeGlobalDef)) return false;
  if (!manager) manager = TsSkinManager::DefaultManager();
  return manager && (manager->AnimEffects.Buttons.Events & kManagers[index]) != 0;
}

TsFadeTimer::TsFadeTimer() {
  Live().push_back(this);
  SetEnabled(false);
  OnTimer = [this](TObject*) { StepNow(); };
}

TsFadeTimer::~TsFadeTimer() {
  *alive_ = false;
  std::erase(Live(), this);
}

void TsFadeTimer::SetDirection(std::uint8_t value) {
  direction_ = value;
  SetEnabled(value != 0);
}

void TsFadeTimer::StepNow() {
  if (!Target || closing) return;
  TControl* control = Target->Control();
  if (!control || control->IsDestroying() || (Application && Application->Terminated())) {
    SetDirection(0);
    return;
  }
  if (Step < 0 || Step > FadeStepTotal) {
    // The control answers with StopFade, which frees this timer: nothing of it is used after.
    SendSkinCommand(*control, SKC_STOPANIMATION, 0);
    return;
  }
  if (direction_ == 1 || direction_ == 2) MakeStep(*control);
}

void TsFadeTimer::MakeStep(TControl& control) {
  if (FadeStepTotal == 0 || closing) return;
  if (!control.Enabled()) {
    SetEnabled(false);
    FadeStepTotal = 0;
    Target->Invalidate(false);
    return;
  }
  const std::shared_ptr<bool> alive = alive_;
  TBitmap* cache = Target->CacheBitmap();
  if (FromImage && cache && !cache->Empty()) {
    const int b = Step * 255 / FadeStepTotal;
    std::unique_ptr<TBitmap> frame = CopyOf(*FromImage);
    BlendBitmaps(frame->Pixels(), cache->Pixels(), 255 - b);
    if (SendSkinCommand(control, SKC_DRAWFADEFRAME, reinterpret_cast<LPARAM>(frame.get())) == 0 && *alive)
      ShowFrame(control, *frame);
  }
  if (*alive) ++Step;  // also when drawing failed
}

void TsFadeTimer::ShowFrame(TControl& control, TBitmap& frame) {
  // A windowless control is drawn on its parent's window, at its place there.
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  TWinControl* surface = windowed ? windowed : control.Parent();
  if (!surface || !surface->HandleAllocated()) return;
  const Point at = windowed ? Point{} : Point{control.Left(), control.Top()};
  WindowDc dc(surface->Handle());
  SavedDcState saved(dc.Get());
  IntersectClipRect(dc.Get(), at.x, at.y, at.x + control.Width(), at.y + control.Height());
  BitBlt(dc.Get(), at.x, at.y, frame.Width(), frame.Height(), frame.Canvas().Handle(), 0, 0, SRCCOPY);
}

void StartFade(TsFadeTimerRef& timer, TsCommonData& data, bool half, std::uint8_t direction) {
  const TsGeneralData* section = data.Section();
  TControl* control = data.Control();
  if (!section || !section->FadingEnabled || !control) return;
  const int iterations = Iterations(*section);
  if (!timer) {
    timer = std::make_unique<TsFadeTimer>();
    timer->Step = 1;
  } else {
    timer->Step = iterations;
  }
  TsFadeTimer& fade = *timer;
  fade.Target = &data;
  TBitmap* cache = data.CacheBitmap();
  if (data.BackgroundDirty && (!cache || cache->Empty())) SendSkinCommand(*control, SKC_BGPAINTED, 0);
  cache = data.CacheBitmap();
  fade.FromImage = cache && !cache->Empty() ? CopyOf(*cache) : nullptr;
  fade.SetInterval(kStepInterval);
  fade.FadeStepTotal = iterations;
  if (fade.Direction() == 1) {
    fade.FadeStepTotal = fade.Step;
  } else if (fade.Direction() == 2) {
    fade.FadeStepTotal = iterations - fade.Step;
  }
  if (half) fade.FadeStepTotal /= 2;
  if (fade.Step >= fade.FadeStepTotal || fade.Step <= 0) fade.Step = 1;
  // The control paints its cache in the new state: the picture the fade runs to.
  SendSkinCommand(*control, SKC_BGPAINTED, 0);
  fade.SetDirection(direction);
}

void StopFade(TsFadeTimerRef& timer, TsCommonData&) {
  if (!timer) return;
  timer->SetDirection(0);
  timer.reset();
}

void ChangeState(TsFadeTimerRef& timer, TsCommonData& data, bool half, std::uint8_t direction, bool allowed) {
  if (!data.Skinned()) return;
  const TsGeneralData& section = *data.Section();
  TBitmap* cache = data.CacheBitmap();
  if (allowed && !TsSkinManager::SkinLoading() && section.FadingEnabled && !closing && cache && !cache->Empty() &&
      !data.BackgroundDirty) {
    data.BackgroundDirty = true;
    StartFade(timer, data, half, direction);
  } else {
    StopFade(timer, data);
    data.BackgroundDirty = true;
    if (TControl* control = data.Control()) control->Repaint();
  }
  data.UpdateGlow(half, nullptr);
}

int LiveFadeTimers() { return static_cast<int>(Live().size()); }

bool FadesClosing() { return closing; }
void SetFadesClosing(bool value) { closing = value; }

int EndFades(DWORD maxWaitMs) {
  closing = true;
  // A copy: each control's StopFade takes its timer off the list.
  const std::vector<TsFadeTimer*> running = Live();
  for (TsFadeTimer* fade : running) {
    if (std::find(Live().begin(), Live().end(), fade) == Live().end()) continue;
    if (TControl* control = fade->Target ? fade->Target->Control() : nullptr)
      SendSkinCommand(*control, SKC_STOPANIMATION, 0);
  }
  const ULONGLONG deadline = GetTickCount64() + maxWaitMs;
  while (!Live().empty() && GetTickCount64() < deadline) {
    if (Application) Application->ProcessMessages();
    if (!Live().empty()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  for (TsFadeTimer* fade : Live()) fade->SetDirection(0);
  return static_cast<int>(Live().size());
}

}  // namespace klarvik
