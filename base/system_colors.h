#pragma once
// What the skin engine needs to know about the system: the RGB value of a system colour
// and the width of a sizing frame. The program passes the live values; tests and the
// native build use the classic defaults.
#include <functional>

#include "base/color.h"

namespace klarvik {

// System colour indexes the definition model names.
enum TsSystemColorIndex : int {
  kSysWindow = 5,
  kSysWindowText = 8,
  kSysHighlight = 13,
  kSysHighlightText = 14,
  kSysBtnFace = 15,
};


struct TsSystemInfo {
  std::function<TColor(int index)> SystemColor;  // RGB of the colour with that index
  int SizingFrameWidth = 4;

  // A negative colour names a system colour by its low byte and becomes its RGB value;
  // others pass unchanged.
  TColor ToRgb(TColor color) const;
};

// Classic colours of a fresh system, for the native build and for tests.
TsSystemInfo ClassicSystemInfo();

}  // namespace klarvik
