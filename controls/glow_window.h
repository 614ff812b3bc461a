#pragma once
// The soft light a skinned control shows around itself while the mouse is over it: a
// borderless top-level window with per-pixel alpha that lets every mouse input through.
// The windows live in one list of the process, so a skin change can remove them all.
#include <windows.h>

#include "base/geometry.h"
#include "skin/definition/skin_tables.h"

namespace klarvik {

// Shows the glow entry `mask` (its state 0 drawn as a nine-piece border over black) around
// `control`, given in screen coordinates: the picture is the control's size plus the
// mask's border widths minus twice `margin` each way, cut to the part of it around
// `visible` (screen coordinates too). Returns the glow's number, or -1 when none can be
// shown (no such entry, a size of 0 or less, no layered windows).
int ShowGlow(const TsSkinTables& tables, int mask, HWND owner, const Rect& control, const Rect& visible, int margin);
// Moves a shown glow along with its control, which now has its top-left at `controlTopLeft`.
void MoveGlow(int glow, Point controlTopLeft);
// Releases the glow's window; unknown numbers are ignored.
void HideGlow(int glow);
void HideAllGlows();
// Glows shown now.
int LiveGlowCount();
// The window of a shown glow, or null.
HWND GlowWindow(int glow);

}  // namespace klarvik
