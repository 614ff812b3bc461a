#include "tests/window/skinned_form_fixture.h"

#include <string>
#include <vector>

#include "base/bmp_file.h"
#include "runtime/bitmap.h"
#include "tests/support/stored_test_skin.h"
#include "tests/support/test_menus.h"
#include "win/handles.h"

namespace klarvik::test {

namespace {

constexpr std::uint32_t kMagenta = 0xFFFF00FF;

// The frame is a one-state border mask without a mask (magenta corners are holes); the
// caption buttons are three-state glyphs, 16 x 16 (small close: 8 x 8).
constexpr char kDefinition[] =
    "[GLOBALINFO]\r\nVERSION=8.40\r\nCOLOR=15790320\r\nFONTCOLOR=0\r\nMASTERBITMAP=MASTER.BMP\r\nBIRIGHT=2\r\nBISPACE=1\r\n"
    "BICONCLOSE=@0016@0000@0064@0016@3@0\r\nBICONMIN=@0016@0016@0064@0032@3@0\r\n"
    "BICONMAX=@0016@0032@0064@0048@3@0\r\nBICONNORM=@0016@0064@0064@0080@3@0\r\n"
    "SICONCLOSE=@0000@0048@0024@0056@3@0\r\n"
    "[FORM]\r\nSTATES=1\r\nCOLOR=49152\r\nBORDERSMASK=^0000^0000^0012^0012^0004^0004^0004^0004^1^0^0^0\r\n"
    "[FORMTITLE]\r\nSTATES=2\r\nCOLOR=6312000\r\nHOTCOLOR=12582912\r\nFONTCOLOR=0\r\nHOTFONTCOLOR=16777215\r\n"
    "[STILLTITLE]\r\nSTATES=1\r\nCOLOR=8421504\r\nFONTCOLOR=0\r\n"
    "[MENULINE]\r\nSTATES=1\r\nCOLOR=49344\r\n"
    "[SHADED]\r\nSTATES=1\r\nCOLOR=49152\r\nGRADIENTPERCENT=100\r\nGRADIENTDATA=49152;192;100;0;0\r\n";

void Fill(const PixelView& view, const Rect& r, std::uint32_t pixel) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) view.At(x, y) = pixel;
}

std::vector<std::uint8_t> MasterBitmap() {
  std::vector<std::uint32_t> pixels(64 * 80, 0xFF000000);
  const PixelView view{64, 80, 64, pixels.data()};
  Fill(view, Rect{0, 0, 12, 12}, kBorderPixel);
  // The corners' holes, the same three pixels in each corner block.
  for (const Point corner : {Point{0, 0}, Point{11, 0}, Point{0, 11}, Point{11, 11}}) {
    const int dx = corner.x == 0 ? 1 : -1, dy = corner.y == 0 ? 1 : -1;
    view.At(corner.x, corner.y) = view.At(corner.x + dx, corner.y) = view.At(corner.x, corner.y + dy) = kMagenta;
  }
  Fill(view, Rect{16, 0, 64, 16}, kCloseGlyphPixel);
  Fill(view, Rect{16, 16, 64, 32}, kMinGlyphPixel);
  Fill(view, Rect{16, 32, 64, 48}, kMaxGlyphPixel);
  Fill(view, Rect{0, 48, 24, 56}, kSmallCloseGlyphPixel);
  Fill(view, Rect{16, 64, 64, 80}, kMaxGlyphPixel);
  return BmpFileBytes(view);
}

}  // namespace

void SkinnedFormTest::SetUp() {
  RuntimeTest::SetUp();
  manager = NewManagerWithStoredSkin(&app, "Frame (internal)", kDefinition, MasterBitmap());
}

void SkinnedFormTest::TearDown() {
  form = nullptr;
  provider = nullptr;
  RuntimeTest::TearDown();
}

TsSkinProvider* SkinnedFormTest::ShowSkinnedForm(TFormBorderStyle style) {
  app.CreateForm(form);
  form->SetBorderStyle(style);
  form->SetCaption(L"Skinned");
  form->SetMenu(NewMenuBar(form, {L"&File", L"&Skin"}));
  form->SetBounds(60, 60, 320, 220);
  provider = new TsSkinProvider(form);
  form->Show();
  ShowSkin();
  Settle();
  return provider;
}

void SkinnedFormTest::ShowSkin() {
  manager->SetSkinName(L"Frame (internal)");
  manager->SetActive(true);
  ASSERT_TRUE(manager->Tables().SkinData.Active);
}

void SkinnedFormTest::RemoveSkin() { manager->SetActive(false); }

void SkinnedFormTest::Settle() {
  for (int i = 0; i < 3; ++i) {
    if (form && form->HandleAllocated()) UpdateWindow(form->Handle());
    Pump();
  }
}

std::uint32_t SkinnedFormTest::WindowPixel(int x, int y) {
  TBitmap copy(1, 1);
  const WindowDc dc(form->Handle(), true);
  BitBlt(copy.Canvas().Handle(), 0, 0, 1, 1, dc.Get(), x, y, SRCCOPY);
  return copy.Pixels().At(0, 0) | 0xFF000000u;
}

std::uint32_t SkinnedFormTest::ImagePixel(int x, int y) {
  TBitmap* image = provider->FormImage();
  if (!image) return 0;
  return image->Pixels().At(x, y) | 0xFF000000u;
}

POINT SkinnedFormTest::TitlePoint() {
  const Rect buttons = provider->MinimizeButton().State >= 0 ? provider->MinimizeButton().Bounds : provider->CloseButton().Bounds;
  return POINT{buttons.left - 30, buttons.top + buttons.Height() / 2};
}

}  // namespace klarvik::test
