// Repaints of the main window under Wine, end to end, in each stored skin (medians, ms).
// Its controls:
//   gauge       the skinned gauge (393 x 25): its area invalidated and updated (background,
//               fill, light, text, copy to the window)
//   button      the skinned Clean button (75 x 25): its cache marked dirty, its window updated
//   light       one tick of the gauge's light while the light is over the bar
// Its frame (what the form skin provider paints):
//   copy        the frame invalidated and updated (the system's WM_NCPAINT), copied again
//               from an unchanged form image
//   rebuild     the form image repainted whole, then the frame copied
//   activation  one WM_NCACTIVATE (deactivation or activation, alternately), as the skin
//               has it: the stored skins' titles have one look, so the picture stays
//   two looks   the same with the form image rebuilt each time, as for a skin whose title
//               has an active and an inactive look
//   control_paint_bench [repaints per skin]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/stored_skins.h"
#include "bench/main_window_session.h"
#include "bench/wine_timing.h"
#include "runtime/application.h"
#include "win/handles.h"
#include "win/text.h"

using namespace klarvik;
using klarvik::bench::MedianMilliseconds;
using klarvik::bench::Now;

namespace {

// `repaint` gets the repaint's number.
template <typename Repaint>
double Time(int repaints, Repaint repaint) {
  std::vector<double> times;
  for (int i = 0; i < repaints; ++i) {
    const double start = Now();
    repaint(i);
    times.push_back(Now() - start);
  }
  return MedianMilliseconds(times);
}

void ShowSkin(const char* name) {
  TsSkinManager& manager = *Form1->sSkinManager1;
  manager.SetSkinName(FromUtf8(name));
  manager.SetActive(true);
  Application->ProcessMessages();
}

void TimeControls(int repaints) {
  const HWND window = Form1->Handle();
  TsGauge& gauge = *Form1->sGauge2;
  TsButton& button = *Form1->sButton1;
  const RECT gaugeArea = ToRECT(gauge.BoundsRect());
  std::printf("%-24s %12s %12s %12s\n", "skin", "gauge ms", "button ms", "light ms");
  for (const auto& stored : kStoredSkins) {
    ShowSkin(stored.name);
    const double gaugeMs = Time(repaints, [&](int) {
      InvalidateRect(window, &gaugeArea, FALSE);
      UpdateWindow(window);
    });
    const double buttonMs = Time(repaints, [&](int) {
      button.SkinData().BackgroundDirty = true;
      InvalidateRect(button.Handle(), nullptr, FALSE);
      UpdateWindow(button.Handle());
    });
    // A light tick while the light is over the bar: the gauge is shown again at its place.
    TsGauge& lit = *Form1->sGauge1;
    const double lightMs = Time(repaints, [&](int) {
      if (lit.LightOffset() >= lit.Width()) {
        for (int i = 0; i < 200 && lit.LightOffset() >= lit.Width(); ++i) lit.LightTick();
      }
      lit.LightTick();
    });
    std::printf("%-24s %12.3f %12.3f %12.3f\n", stored.name, gaugeMs, buttonMs, lightMs);
  }
  std::printf("(a 60 Hz frame is 16.7 ms)\n\n");
}

void TimeFrame(int repaints) {
  const HWND window = Form1->Handle();
  TsSkinProvider& provider = *Form1->sSkinProvider1;
  // The frame alone, in client coordinates: the window less its client area.
  RECT bounds{}, client{};
  GetWindowRect(window, &bounds);
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const UniqueRegion frame(CreateRectRgn(bounds.left - origin.x, bounds.top - origin.y, bounds.right - origin.x,
                                         bounds.bottom - origin.y));
  const UniqueRegion inside(CreateRectRgnIndirect(&client));
  CombineRgn(frame.Get(), frame.Get(), inside.Get(), RGN_DIFF);
  std::printf("%-24s %10s %10s %14s %14s\n", "skin", "copy ms", "rebuild ms", "activation ms", "two looks ms");
  for (const auto& stored : kStoredSkins) {
    ShowSkin(stored.name);
    const double copyMs = Time(repaints, [&](int) {
      RedrawWindow(window, nullptr, frame.Get(), RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
    });
    const double rebuildMs = Time(repaints, [&](int) { provider.RepaintNonClient(); });
    const double activationMs = Time(repaints, [&](int i) { SendMessageW(window, WM_NCACTIVATE, i % 2, 0); });
    const double twoLooksMs = Time(repaints, [&](int i) {
      provider.SkinData().BackgroundDirty = true;
      SendMessageW(window, WM_NCACTIVATE, i % 2, 0);
    });
    std::printf("%-24s %10.3f %10.3f %14.3f %14.3f\n", stored.name, copyMs, rebuildMs, activationMs, twoLooksMs);
  }
  std::printf("(target: a non-client repaint under 2 ms)\n");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const int repaints = bench::IntArgument(bench::Arguments(), 0, 200);
  bench::OpenMainWindow();
  TimeControls(repaints);
  TimeFrame(repaints);
  std::fflush(stdout);
  delete Application;
  return 0;
}
