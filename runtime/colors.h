#pragma once
// The named colours of the runtime's controls, and the resolution of system colours
// (their low byte is the GetSysColor index) just before use.
#include <windows.h>

#include "base/color.h"

namespace klarvik {

constexpr TColor clBlack{0x000000};
constexpr TColor clMaroon{0x000080};
constexpr TColor clGreen{0x008000};
constexpr TColor clNavy{0x800000};
constexpr TColor clGray{0x808080};
constexpr TColor clSilver{0xC0C0C0};
constexpr TColor clRed{0x0000FF};
constexpr TColor clLime{0x00FF00};
constexpr TColor clBlue{0xFF0000};
constexpr TColor clWhite{0xFFFFFF};

constexpr TColor clWindow = SystemColorId(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColorId(COLOR_WINDOWTEXT);
constexpr TColor clBtnFace = SystemColorId(COLOR_BTNFACE);
constexpr TColor clBtnText = SystemColorId(COLOR_BTNTEXT);
constexpr TColor clBtnShadow = SystemColorId(COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = SystemColorId(COLOR_BTNHIGHLIGHT);
constexpr TColor clHighlight = SystemColorId(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColorId(COLOR_HIGHLIGHTTEXT);
constexpr TColor clGrayText = SystemColorId(COLOR_GRAYTEXT);
constexpr TColor clMenu = SystemColorId(COLOR_MENU);
constexpr TColor clMenuText = SystemColorId(COLOR_MENUTEXT);

// Resolves a system colour to its current RGB value; any other colour passes unchanged.
COLORREF ColorToRGB(TColor color);

}  // namespace klarvik
