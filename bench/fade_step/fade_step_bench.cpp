// One step of a skinned button's cross-fade as the fade timer makes it under Wine: a copy
// of the old 75 x 25 picture, the new one kept over it, the frame copied to the window.
// Prints the median step, its ratio to the fade's 10 ms tick, and a whole fade.
//   fade_step_bench [fades]
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/wine_timing.h"
#include "app/stored_skins.h"
#include "controls/common_data.h"
#include "controls/fade_timer.h"
#include "paint/primitives/section_item.h"
#include "runtime/application.h"
#include "runtime/custom_control.h"
#include "runtime/forms.h"

using namespace klarvik;
using klarvik::bench::MedianMilliseconds;
using klarvik::bench::Now;

namespace {

// A button-sized control that paints its cache from the skin's BUTTON section in its
// normal or hot state, and leaves drawing the fade's frames to the fade.
class FadingButton : public TCustomControl {
 public:
  explicit FadingButton(TComponent* owner) : TCustomControl(owner), data(this, true) { data.ControlKind = kKindButton; }

  void WndProc(TMessage& message) override {
    if (message.Msg == WM_SKINCOMMAND) {
      switch (SkinCommandOf(message.WParam)) {
        case SKC_BGPAINTED: {
          data.PrepareCache();
          const Rect all{0, 0, Width(), Height()};
          PaintControlItem(data.CacheBitmap()->Pixels(), all, data.PaintSource(), data.GetParentCache(), Point{}, hot ? 1 : 0,
                           false);
          data.BackgroundDirty = false;
          message.Result = 0;
          return;
        }
        case SKC_STOPANIMATION:
          StopFade(fade, data);
          return;
        default:
          break;
      }
    }
    if (data.HandleMessage(message)) return;
    TCustomControl::WndProc(message);
  }

  TsCommonData data;
  TsFadeTimerRef fade;
  bool hot = false;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const int fades = argc > 1 ? _wtoi(argv[1]) : 50;
  LocalFree(argv);

  Application = new TApplication(nullptr);
  Application->Initialize();
  auto* manager = new TsSkinManager(Application);
  AddStoredSkins(manager->InternalSkins());
  // The stored skins' buttons do not fade yet; the overlay makes this one fade as buttons do.
  manager->SetCommonSections({"[BUTTON]", "FADINGENABLED=1", "FADINGITERATIONS=20"});
  manager->SetSkinName(L"Steam2 (internal)");
  manager->SetActive(true);
  TForm* form = nullptr;
  Application->CreateForm(form);
  form->SetBounds(100, 100, 200, 100);
  auto* button = new FadingButton(form);
  button->SetParent(form);
  button->SetBounds(20, 20, 75, 25);
  button->data.SetSkinSection("BUTTON");
  form->Show();
  Application->ProcessMessages();
  button->Perform(WM_SKINCOMMAND, SkinCommandParam(SKC_BGPAINTED), 0);

  std::vector<double> steps, wholeFades;
  for (int i = 0; i < fades; ++i) {
    button->hot = !button->hot;
    ChangeState(button->fade, button->data, false, 1, true);
    const double fadeStart = Now();
    while (button->fade) {
      const double start = Now();
      button->fade->StepNow();
      steps.push_back(Now() - start);
    }
    wholeFades.push_back(Now() - fadeStart);
  }
  if (steps.empty()) {
    std::printf("no fade ran: the button's section does not fade\n");
    return 1;
  }
  const double stepMs = MedianMilliseconds(steps);
  std::printf("fade step of a 75 x 25 button (copy, blend, frame to the window): median %.3f ms of %zu\n", stepMs,
              steps.size());
  std::printf("10 ms tick / step: %.0f (aim: far above 1)\n", 10.0 / stepMs);
  // Each fade makes its steps and one more call that ends it.
  const std::size_t perFade = steps.size() / static_cast<std::size_t>(fades);
  std::printf("whole fade (%zu steps and its end): median %.2f ms of work over %zu ms of ticks\n", perFade - 1,
              MedianMilliseconds(wholeFades), (perFade - 1) * 10);
  std::fflush(stdout);
  delete Application;
  return 0;
}
