// Switches the main window between stored skins and repaints it, beside a bare repaint
// of the same window: prints the median time of each, their ratio, and the process's
// live GDI objects before and after a long run of switches.
//   skin_switch_bench [timed switches] [switches for the GDI count]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/stored_skins.h"
#include "bench/main_window_session.h"
#include "bench/wine_timing.h"
#include "runtime/application.h"
#include "win/live_gdi_objects.h"
#include "win/text.h"

using namespace klarvik;
using klarvik::bench::MedianMilliseconds;
using klarvik::bench::Now;

namespace {

std::wstring SkinName(std::size_t switchNumber) { return FromUtf8(kStoredSkins[switchNumber % kStoredSkins.size()].name); }

void Repaint(HWND window) {
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::vector<std::wstring> arguments = bench::Arguments();
  const int timed = bench::IntArgument(arguments, 0, 50);
  const int counted = bench::IntArgument(arguments, 1, 1000);

  bench::OpenMainWindow();
  TsSkinManager& manager = *Form1->sSkinManager1;
  manager.SetSkinName(SkinName(0));
  manager.SetActive(true);
  const HWND window = Form1->Handle();
  Repaint(window);

  std::vector<double> switches, repaints;
  for (int i = 0; i < timed; ++i) {
    const double start = Now();
    manager.SetSkinName(SkinName(static_cast<std::size_t>(i) + 1));
    UpdateWindow(window);
    switches.push_back(Now() - start);
    const double bare = Now();
    Repaint(window);
    repaints.push_back(Now() - bare);
  }
  const double switchMs = MedianMilliseconds(switches), repaintMs = MedianMilliseconds(repaints);
  std::printf("skin switch and repaint: median %.2f ms of %d (aim: under 16 ms)\n", switchMs, timed);
  std::printf("bare InvalidateRect + UpdateWindow: median %.3f ms\n", repaintMs);
  std::printf("switch / bare repaint: %.1f\n", switchMs / repaintMs);

  // The gauges' lights keep pictures of their own from tick to tick, made and dropped as
  // the light runs: stopped, the counts see the skin switches alone.
  for (TsGauge* gauge : {Form1->sGauge1, Form1->sGauge2}) gauge->SetAnimated(false);
  Application->ProcessMessages();
  const int before = LiveGdiObjects();
  for (int i = 0; i < counted; ++i) {
    manager.SetSkinName(SkinName(static_cast<std::size_t>(i) + 1));
    UpdateWindow(window);
    Application->ProcessMessages();
  }
  const int after = LiveGdiObjects();
  std::printf("live GDI objects: %d before %d switches, %d after (%s)\n", before, counted, after,
              after == before ? "none leaked" : "LEAK");
  std::fflush(stdout);
  delete Application;
  return after == before ? 0 : 1;
}
