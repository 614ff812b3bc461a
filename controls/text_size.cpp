#include "controls/text_size.h"

#include "win/handles.h"

namespace klarvik {

SIZE SingleLineTextSize(TFont& font, const std::wstring& text, UINT format) {
  WindowDc screen(nullptr);
  SelectScope selected(screen.Get(), font.Handle());
  RECT r{0, 0, 0, 0};
  const std::wstring measured = text.empty() ? L" " : text;
  DrawTextW(screen.Get(), measured.c_str(), static_cast<int>(measured.size()), &r, format | DT_SINGLELINE | DT_CALCRECT);
  return SIZE{r.right, r.bottom};
}

}  // namespace klarvik
