#pragma once
// The skin command message: how a skin manager tells forms and controls that the skin
// changed, and how skinned controls ask each other about backgrounds, colours and state.
// The command is in the high 16 bits of the first parameter, a sub-value in the low 16;
// the second parameter depends on the command (the sending manager for 1 to 3).
#include <windows.h>

#include <cstdint>

namespace klarvik {

class TBitmap;

constexpr UINT WM_SKINCOMMAND = 0xA100;

// The tag of the skin engine's own helper forms (covers, fades), which automatic skinning
// leaves alone.
constexpr int HelperFormTag = -98;

enum TSkinCommand : WORD {
  SKC_SKINLOADED = 1,        // new tables are loaded
  SKC_SKINREMOVED = 2,       // back to the standard look
  SKC_SKINAPPLIED = 3,       // repaint with the current skin
  SKC_GETPROVIDER = 4,       // a form answers its skin provider
  SKC_PARENTUPDATED = 6,     // the parent finished an update; a locked child may paint again
  SKC_ISSKINNED = 7,         // answered 1 by a window that passes commands on to its children itself
  SKC_SETPAINTLOCK = 8,      // low word 1 locks painting, else unlocks
  SKC_SETPAINTNOW = 9,       // low word 1: paint urgently, whatever the parent's state
  SKC_ISBUSY = 10,           // answers whether painting must wait
  SKC_ISPARTLYHIDDEN = 11,
  SKC_SECTIONCHANGED = 13,   // a section of the skin changed; repaint if it is ours
  SKC_SETSECTION = 15,       // LParam: a TacSectionRequest
  SKC_STOPANIMATION = 16,    // stop running fade animations
  SKC_UPDATEFORMS = 18,      // sent to every form when the application's window is asked to
  SKC_INVALIDATEBG = 17,
  SKC_NEEDSPARENTPAINT = 19, // asked by a child: does its picture depend on ours
  SKC_PARENTBGCHANGED = 20,  // the background under the control changed; low word 1 also redraws
  SKC_GETCOLOR = 21,         // answers the colour children should use
  SKC_SETPARTLYHIDDEN = 22,
  SKC_BGPAINTED = 23,        // the cache is up to date (sent by a fade: paint it now)
  SKC_DRAWFADEFRAME = 24,    // LParam: the frame, a TBitmap; non-zero when the control drew it
  SKC_CONTROLCHANGED = 25,   // LParam: the control; sent to its form
  SKC_MOUSEENTER = 29,       // LParam: the manager; the window became its hot one
  SKC_MOUSELEAVE = 30,       // LParam: the manager; the window or control is hot no more
  SKC_GETSECTIONINDEX = 26,  // LParam: a TacSectionInfo
  SKC_BEGINUPDATE = 31,
  SKC_ENDUPDATE = 32,
  SKC_CLEARCACHE = 33,
  SKC_GETBACKGROUND = 34,    // LParam: a TacBgRequest
  SKC_SKINSTATE = 36,        // LParam 1: recompute and tell children; else answer it
  SKC_GETSKINDATA = 37,      // answers the TsCommonData of the control
  SKC_SETPRINTDC = 38,       // LParam: the device context printed into, or 0
  SKC_ISMOUSEINSIDE = 39,    // answers 1 while the skin data says the mouse is over its owner
  SKC_GETAPPLICATION = 60,
};

inline WPARAM SkinCommandParam(TSkinCommand command, WORD value = 0) {
  return (static_cast<WPARAM>(command) << 16) | value;
}
inline WORD SkinCommandOf(WPARAM param) { return HIWORD(param); }
inline WORD SkinCommandValue(WPARAM param) { return LOWORD(param); }

// Commands whose LParam points into the sender's memory. Only a sender on the receiver's
// own thread can be trusted with them: any process may post or send the message number.
inline bool CarriesPointer(TSkinCommand command) {
  return command == SKC_SETSECTION || command == SKC_GETSECTIONINDEX || command == SKC_GETBACKGROUND ||
         command == SKC_DRAWFADEFRAME || command == SKC_CONTROLCHANGED;
}

// Answered by SKC_GETSECTIONINDEX.
struct TacSectionInfo {
  std::int32_t SectionIndex = -1;
};

// Given with SKC_SETSECTION: the new section name.
struct TacSectionRequest {
  std::int32_t Reserved = 0;
  const char* SectionName = nullptr;
};

// What a parent tells a child about the background under it.
struct TacBgRequest {
  enum Kinds : std::uint8_t { kUnset = 0, kColor = 1, kImage = 2, kNotReady = 3 };
  TBitmap* Image = nullptr;  // lent, not copied: the parent's cache
  COLORREF Color = 0;
  std::int32_t OffsetX = 0;  // where the child's area starts in Image
  std::int32_t OffsetY = 0;
  RECT Rect{};  // the area to draw when DrawNow
  std::int32_t BorderLeft = 0;
  std::int32_t BorderTop = 0;
  std::int32_t BorderRight = 0;
  std::int32_t BorderBottom = 0;
  std::uint8_t Kind = kUnset;
  bool DrawNow = false;  // draw into DC instead of returning the image
  HDC DC = nullptr;
};

}  // namespace klarvik
