#pragma once
// Fading: when a skinned control changes its look, the old picture is cross-faded into
// the new one, one step every 10 ms, as many steps as the section's FADINGITERATIONS. The
// fade timer and its control talk through the skin command: SKC_BGPAINTED (paint the cache
// in the new state now), SKC_DRAWFADEFRAME (draw this frame, or answer 0 to have it copied
// to the window) and SKC_STOPANIMATION (the fade has passed its last step).
#include <windows.h>

#include <cstdint>
#include <memory>

#include "runtime/bitmap.h"
#include "runtime/control.h"
#include "skin/manager/skin_manager.h"
#include "widgets/message_timer.h"

namespace klarvik {

class TsCommonData;

// Which state changes of a control fade.
enum TacAnimatEvent : unsigned { aeMouseEnter = 1, aeMouseLeave = 2, aeMouseDown = 4, aeMouseUp = 8, aeGlobalDef = 16 };
using TacAnimatEvents = unsigned;
constexpr TacAnimatEvents kDefaultAnimatEvents = aeGlobalDef;

// The state changes, as AnimationAllowed numbers them.
enum TacFadeEvent : int { kFadeEnter = 0, kFadeLeave = 1, kFadeDown = 2, kFadeUp = 3 };

// The event is in the control's set, or the set defers to the manager (aeGlobalDef) and
// the manager's button events hold it. Null means the default manager.
bool AnimationAllowed(TacFadeEvent event, TacAnimatEvents events, const TsSkinManager* manager);

class TsFadeTimer : public TMessageTimer {
 public:
  TsFadeTimer();
  ~TsFadeTimer() override;

  // 0 idle; 1 and 2 fade (2 also shortens a restarted fade). The timer runs exactly while
  // it is not 0.
  std::uint8_t Direction() const { return direction_; }
  void SetDirection(std::uint8_t value);

  TsCommonData* Target = nullptr;
  int FadeStepTotal = 0;
  int Step = 1;
  std::unique_ptr<TBitmap> FromImage;  // the control's picture before the change

  // What a tick does, now: one step of the fade, or its end.
  void StepNow();

 private:
  void MakeStep(TControl& control);
  void ShowFrame(TControl& control, TBitmap& frame);

  std::uint8_t direction_ = 0;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // false once destroyed
};

// A control's fade: none while no fade runs.
using TsFadeTimerRef = std::unique_ptr<TsFadeTimer>;

// Called by a control on a state change: fades when allowed and possible, else repaints
// at once; then shows or hides the glow (hidden when `half`: press and release).
void ChangeState(TsFadeTimerRef& timer, TsCommonData& data, bool half, std::uint8_t direction, bool allowed);
// Creates or restarts the fade; `half` fades in half the steps.
void StartFade(TsFadeTimerRef& timer, TsCommonData& data, bool half, std::uint8_t direction);
void StopFade(TsFadeTimerRef& timer, TsCommonData& data);

// Fade timers alive now.
int LiveFadeTimers();
// Set while the program is closing: no fade step runs then.
bool FadesClosing();
void SetFadesClosing(bool value);
// For closing: no fade steps any more; every fading control is asked to stop its fade,
// and messages are handled until the fade timers are gone or `maxWaitMs` has passed.
// Timers still alive then are stopped where they stand; returns how many.
int EndFades(DWORD maxWaitMs);

}  // namespace klarvik
