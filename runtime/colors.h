#pragma once
// Colours as 0x00BBGGRR. A value with high byte 0xFF names a system colour (its low byte
// is the GetSysColor index) and is resolved by ColorToRGB just before use.
#include <windows.h>

#include <cstdint>

using TColor = std::int32_t;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index)); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clMenu = SystemColor(COLOR_MENU);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);

// "No colour at all" and "whatever the owner would use".
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr bool IsSystemColor(TColor color) { return (static_cast<std::uint32_t>(color) >> 24) == 0xFF; }

// Resolves a system colour to its current RGB value; any other colour passes unchanged.
COLORREF ColorToRGB(TColor color);
