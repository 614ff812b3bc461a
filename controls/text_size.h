#pragma once
// What a line of text measures in a font, for controls that size themselves to it.
#include <windows.h>

#include <string>

#include "runtime/font.h"

namespace klarvik {

// Width and height of the text on one line (an empty text measures one blank, so a
// control keeps the height of a line). `format` adds DrawText flags such as DT_NOPREFIX.
SIZE SingleLineTextSize(TFont& font, const std::wstring& text, UINT format = 0);

}  // namespace klarvik
