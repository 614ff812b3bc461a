#pragma once
// For the drawn-widget tests: a white form holding the widget under test, painted into a
// 32-bit bitmap the way the form's own paint would put it on screen.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "runtime/bitmap.h"
#include "runtime/colors.h"
#include "runtime/forms.h"
#include "tests/widgets/gui_test_support.h"

namespace klarvik::test {

// A colour as the bitmap holds it: 0x00RRGGBB.
inline std::uint32_t PixelOf(TColor color) {
  const COLORREF rgb = ColorToRGB(color);
  return (static_cast<std::uint32_t>(GetRValue(rgb)) << 16) | (static_cast<std::uint32_t>(GetGValue(rgb)) << 8) |
         GetBValue(rgb);
}

class WidgetFormTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = new TForm(&app);
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    form->SetColor(clWhite);
    form->SetClientWidth(160);
    form->SetClientHeight(140);
  }

  std::unique_ptr<TBitmap> PaintForm() {
    auto image = std::make_unique<TBitmap>(form->ClientWidth(), form->ClientHeight());
    SendMessageW(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image->Canvas().Handle()), PRF_CLIENT);
    return image;
  }

  static std::uint32_t Rgb(TBitmap& image, int x, int y) { return image.Pixels().At(x, y) & 0xFFFFFF; }

  TForm* form = nullptr;
};

}  // namespace klarvik::test
