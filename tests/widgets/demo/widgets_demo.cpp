// A window holding both drawn widgets, for looking at them on a real display. It closes
// itself after a few seconds.
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "runtime/application.h"
#include "runtime/forms.h"
#include "tests/widgets/image_bytes.h"
#include "widgets/adv_gdip_picture.h"
#include "widgets/circular_progress.h"
#include "widgets/gdiplus_session.h"
#include "widgets/message_timer.h"
#include "win/com_stream.h"

using namespace klarvik;

namespace {

// A 48 x 48 disc, orange in the middle fading to fully transparent at its rim.
std::vector<std::uint8_t> SoftDiscPng() {
  std::vector<std::uint32_t> pixels(48 * 48);
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x) {
      const double distance = std::hypot(x - 23.5, y - 23.5) / 24.0;
      const double alpha = distance >= 1.0 ? 0.0 : 1.0 - distance * distance;
      pixels[static_cast<size_t>(y * 48 + x)] = (static_cast<std::uint32_t>(alpha * 255) << 24) | 0xFF8000;
    }
  }
  return klarvik::test::PngFile(48, 48, pixels);
}

// 8 x 8 checks of blue and yellow with a magenta frame whose lower-left pixel makes it transparent.
std::vector<std::uint8_t> FramedChecksBmp() {
  std::vector<std::uint32_t> pixels(8 * 8);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool frame = x == 0 || y == 0 || x == 7 || y == 7;
      pixels[static_cast<size_t>(y * 8 + x)] = frame ? 0xFF00FF : ((x + y) % 2 ? 0x2040C0 : 0xF0D020);
    }
  }
  return klarvik::test::BmpFile(8, 8, pixels);
}

class TDemoForm : public TForm {
 public:
  explicit TDemoForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(L"Drawn widgets");
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetColor(RgbColor(200, 225, 200));
    SetClientWidth(360);
    SetClientHeight(170);
    SetBounds(40, 40, Width(), Height());

    auto* status = new TAdvCircularProgress(this);
    status->SetParent(this);
    status->SetBounds(16, 16, 49, 49);

    auto* large = new TAdvCircularProgress(this);
    large->SetParent(this);
    large->SetBounds(16, 70, 90, 90);
    large->Appearance().SetBackGroundColor(clWhite);
    large->Appearance().SetBorderColor(clNavy);
    large->SetPosition(60);

    const struct {
      std::vector<std::uint8_t> bytes;
      RECT bounds;
      bool stretch, proportional, center, cropping;
    } pictures[] = {
        {SoftDiscPng(), {120, 16, 220, 96}, false, false, false, false},     // natural size, top left
        {SoftDiscPng(), {230, 16, 280, 96}, true, true, true, false},        // fitted and centred
        {FramedChecksBmp(), {290, 16, 346, 96}, true, false, false, false},  // stretched, frame left out
        {SoftDiscPng(), {120, 106, 346, 160}, false, false, false, true},    // cropped: top and bottom cut
    };
    for (const auto& p : pictures) {
      auto* picture = new TAdvGDIPPicture(this);
      picture->SetParent(this);
      picture->SetBounds(p.bounds.left, p.bounds.top, p.bounds.right - p.bounds.left, p.bounds.bottom - p.bounds.top);
      picture->SetStretch(p.stretch);
      picture->SetProportional(p.proportional);
      picture->SetCenter(p.center);
      picture->SetCropping(p.cropping);
      const UniqueStream stream = StreamOnCopyOf(p.bytes);
      picture->Picture().LoadFromStream(stream.Get());
    }
    EndLoading();
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const GdiplusSession gdiplus;
  Application->Initialize();
  Application->SetTitle(L"Widgets demo");
  TDemoForm* form = nullptr;
  Application->CreateForm(form);
  TMessageTimer closing;
  closing.SetInterval(6000);
  closing.OnTimer = [](TObject*) { Application->Terminate(); };
  closing.SetEnabled(true);
  Application->Run();
  Application->DestroyComponents();
  return 0;
}
