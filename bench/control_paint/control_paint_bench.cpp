// One full repaint, end to end, of the main window's skinned gauge (393 x 25) and of its
// skinned Clean button (75 x 25), in each stored skin: the gauge's area invalidated and
// updated (background, fill, light, text, copy to the window), the button's cache marked
// dirty and its window updated. Prints the median of each and its share of a 60 Hz frame.
//   control_paint_bench [repaints per skin]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/stored_skins.h"
#include "bench/main_window_session.h"
#include "bench/wine_timing.h"
#include "runtime/application.h"
#include "win/text.h"

using namespace klarvik;
using klarvik::bench::MedianMilliseconds;
using klarvik::bench::Now;

namespace {

template <typename Repaint>
double Time(int repaints, Repaint repaint) {
  std::vector<double> times;
  for (int i = 0; i < repaints; ++i) {
    const double start = Now();
    repaint();
    times.push_back(Now() - start);
  }
  return MedianMilliseconds(times);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const int repaints = bench::IntArgument(bench::Arguments(), 0, 200);

  bench::OpenMainWindow();
  TsSkinManager& manager = *Form1->sSkinManager1;
  const HWND window = Form1->Handle();
  TsGauge& gauge = *Form1->sGauge2;
  TsButton& button = *Form1->sButton1;
  const RECT gaugeArea = ToRECT(gauge.BoundsRect());
  std::printf("%-24s %12s %12s %12s\n", "skin", "gauge ms", "button ms", "light ms");
  for (const auto& stored : kStoredSkins) {
    manager.SetSkinName(FromUtf8(stored.name));
    manager.SetActive(true);
    Application->ProcessMessages();
    const double gaugeMs = Time(repaints, [&] {
      InvalidateRect(window, &gaugeArea, FALSE);
      UpdateWindow(window);
    });
    const double buttonMs = Time(repaints, [&] {
      button.SkinData().BackgroundDirty = true;
      InvalidateRect(button.Handle(), nullptr, FALSE);
      UpdateWindow(button.Handle());
    });
    // A light tick while the light is over the bar: the gauge is shown again at its place.
    TsGauge& lit = *Form1->sGauge1;
    const double lightMs = Time(repaints, [&] {
      if (lit.LightOffset() >= lit.Width()) {
        for (int i = 0; i < 200 && lit.LightOffset() >= lit.Width(); ++i) lit.LightTick();
      }
      lit.LightTick();
    });
    std::printf("%-24s %12.3f %12.3f %12.3f\n", stored.name, gaugeMs, buttonMs, lightMs);
  }
  std::printf("(a 60 Hz frame is 16.7 ms)\n");
  std::fflush(stdout);
  delete Application;
  return 0;
}
