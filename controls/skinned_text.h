#pragma once
// Captions in the colours of the skin: the section's font colour for the normal or hot
// state, one-pixel contour copies on up to four sides, a soft glow behind the text, the
// greyed look of disabled controls; and the measuring helpers skinned controls share.
#include <windows.h>

#include <string>

#include "base/geometry.h"
#include "runtime/bitmap.h"
#include "runtime/canvas.h"
#include "runtime/control.h"
#include "skin/manager/skin_manager.h"

namespace klarvik {

class TsCommonData;

// Contour sides of DrawGlowText.
enum TsContourSide : unsigned { kContourLeft = 1, kContourTop = 2, kContourRight = 4, kContourBottom = 8 };

// The caption of a control with that skin data.
void DrawSkinnedText(TCanvas& canvas, const std::wstring& text, bool enabled, bool hot, TsCommonData& data, UINT format,
                     const Rect& rect);
// Text in the colours of one section; without a valid section in the canvas's colours.
void DrawSectionText(TCanvas& canvas, const std::wstring& text, bool enabled, TsSkinManager& manager, bool hot,
                     int section, UINT format, const Rect& rect);
// The section whose colours a transparent control's text takes: a parent's that lends
// its font (GIVEOWNFONT) when the parent shows through too little to pass the question on.
int TextSectionFor(TControl& control, int own, TsSkinManager& manager, int state);
// A soft glow of `color` under the text that `rect` would hold, painted into `target`:
// the text (and its copies moved toward each side of `contours`) drawn black into an
// 8-bit mask with `font`, blurred by `size`, laid over the target. Nothing for a size of 0
// or less or an empty text.
void DrawGlowText(TBitmap& target, const std::wstring& text, const Rect& rect, TFont& font, TColor color, int size,
                  unsigned contours, UINT format);
// The size of the text: wrapped in `width` (DT_CALCRECT), or as one line.
SIZE MeasureText(TFont& font, const std::wstring& text, UINT format, int width, bool wrap);
// The text cut until it fits in maxWidth with "..." after it; empty when maxWidth is 0 or less.
std::wstring TruncateWithEllipsis(TCanvas& canvas, const std::wstring& text, int maxWidth);

}  // namespace klarvik
