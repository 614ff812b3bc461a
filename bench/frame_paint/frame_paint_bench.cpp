// The main window's non-client repaints under Wine, in each stored skin (medians, ms):
//   copy        the frame invalidated and updated (the system's WM_NCPAINT), copied again
//               from an unchanged form image
//   rebuild     the form image repainted whole, then the frame copied
//   activation  one WM_NCACTIVATE (deactivation or activation, alternately), as the skin
//               has it: the stored skins' titles have one look, so the picture stays
//   two looks   the same with the form image rebuilt each time, as for a skin whose title
//               has an active and an inactive look
//   frame_paint_bench [repaints per skin]
#include <windows.h>

#include <cstdio>
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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const int repaints = bench::IntArgument(bench::Arguments(), 0, 200);
  bench::OpenMainWindow();
  TsSkinManager& manager = *Form1->sSkinManager1;
  TsSkinProvider& provider = *Form1->sSkinProvider1;
  const HWND window = Form1->Handle();
  std::printf("%-24s %10s %10s %14s %14s\n", "skin", "copy ms", "rebuild ms", "activation ms", "two looks ms");
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
  for (const auto& stored : kStoredSkins) {
    manager.SetSkinName(FromUtf8(stored.name));
    manager.SetActive(true);
    Application->ProcessMessages();
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
  std::fflush(stdout);
  delete Application;
  return 0;
}
