#pragma once
// The skin command message: how a skin manager tells forms and controls that the skin
// changed. The command is in the high 16 bits of the first parameter, the sending manager
// is the second parameter; receivers act only on their own manager's commands.
#include <windows.h>

namespace klarvik {

constexpr UINT WM_SKINCOMMAND = 0xA100;

enum TSkinCommand : WORD {
  SKC_SKINLOADED = 1,     // new tables are loaded
  SKC_SKINREMOVED = 2,    // back to the standard look
  SKC_SKINAPPLIED = 3,    // repaint with the current skin
  SKC_ISSKINNED = 7,      // answered 1 by a window that passes commands on to its children itself
  SKC_STOPANIMATION = 16, // stop running fade animations
};

inline WPARAM SkinCommandParam(TSkinCommand command) { return static_cast<WPARAM>(command) << 16; }
inline WORD SkinCommandOf(WPARAM param) { return HIWORD(param); }

}  // namespace klarvik
