// Windowless controls: painted by their parent (clipped, origin at their corner, opaque
// ones not painted behind) and fed mouse messages in their own coordinates.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/controls.h"
#include "runtime/forms.h"
#include "runtime/graphics.h"
#include "tests/support/runtime_test_support.h"

namespace klarvik {

namespace {

using klarvik::test::RuntimeTest;

constexpr TColor kParentColor{0x00FF00};  // green
constexpr TColor kChildColor{0x0000FF};   // red

// Paints far beyond its bounds, so only the parent's clipping keeps it inside.
class Swatch : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  bool paintsItself = true;
  POINT lastDown{-1, -1};

 protected:
  void Paint() override {
    if (!paintsItself) return;
    Canvas().Brush().SetColor(kChildColor);
    Canvas().FillRect(Rect{-100, -100, 300, 300});
    Canvas().Brush().SetColor(clWhite);
    Canvas().FillRect(Rect{0, 0, 1, 1});  // marks the control's own origin
  }
  void MouseDown(TMouseButton, WPARAM, int x, int y) override { lastDown = POINT{x, y}; }
  void MouseEnter() override { crossings.push_back(L'+' + Name()); }
  void MouseLeave() override { crossings.push_back(L'-' + Name()); }

 public:
  // Every enter ("+name") and leave ("-name") of the swatches of one test, in order.
  static inline std::vector<std::wstring> crossings;
};

class GraphicControlTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    app.CreateForm(form);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(50, 50, 200, 100);
    form->SetColor(kParentColor);
    swatch = new Swatch(form);
    swatch->SetParent(form);
    swatch->SetBounds(20, 10, 30, 20);
    swatch->OnClick = [this](TObject*) { ++clicks; };
    Swatch::crossings.clear();
  }

  // The client area as the form paints it, over a background of `marker`.
  std::uint32_t PaintedPixel(int x, int y, std::uint32_t marker = 0xFF123456) {
    TBitmap bitmap(200, 100);
    const PixelView view = bitmap.Pixels();
    for (int row = 0; row < view.height; ++row)
      for (int column = 0; column < view.width; ++column) view.At(column, row) = marker;
    SendMessageW(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), PRF_CLIENT);
    return bitmap.Pixels().At(x, y) & 0xFFFFFF;
  }

  TForm* form = nullptr;
  Swatch* swatch = nullptr;
  int clicks = 0;
};

// TColor is 0x00BBGGRR, a pixel 0xAARRGGBB.
std::uint32_t PixelOf(TColor color) {
  const auto rgb = static_cast<std::uint32_t>(color);
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

TEST_F(GraphicControlTest, ParentPaintsBackgroundThenTheChildClippedAtItsOrigin) {
  struct Probe {
    int x, y;
    TColor expected;
  };
  const Probe probes[] = {
      {20, 10, clWhite},  // the child's (0, 0)
      {21, 11, kChildColor},     {49, 29, kChildColor},  // inside, last pixel
      {19, 15, kParentColor},    {50, 15, kParentColor},  // left and right of it
      {30, 9, kParentColor},     {30, 30, kParentColor},  // above and below
  };
  for (const Probe& probe : probes) {
    SCOPED_TRACE(testing::Message() << probe.x << "," << probe.y);
    EXPECT_EQ(PaintedPixel(probe.x, probe.y), PixelOf(probe.expected));
  }
}

TEST_F(GraphicControlTest, OpaqueChildIsNotPaintedBehind) {
  const std::uint32_t marker = 0x123456;
  swatch->paintsItself = false;
  EXPECT_EQ(PaintedPixel(30, 15, marker), PixelOf(kParentColor));
  swatch->SetControlStyle(swatch->ControlStyle() | csOpaque);
  EXPECT_EQ(PaintedPixel(30, 15, marker), marker);
  EXPECT_EQ(PaintedPixel(19, 15, marker), PixelOf(kParentColor));
}

TEST_F(GraphicControlTest, WindowPaintShowsTheChildOnScreen) {
  form->Show();
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  WindowDc dc(form->Handle());
  EXPECT_EQ(GetPixel(dc.Get(), 30, 15), ColorToRGB(kChildColor));
  EXPECT_EQ(GetPixel(dc.Get(), 100, 50), ColorToRGB(kParentColor));
}

TEST_F(GraphicControlTest, MouseOverTheChildReachesItAndClicksIt) {
  struct Case {
    const char* name;
    POINT down, up;  // in the form's client coordinates
    bool hidden;
    int expectedClicks;
    POINT expectedDown;  // in the child's coordinates
  };
  const Case cases[] = {
      {"down and up inside", {25, 12}, {40, 20}, false, 1, {5, 2}},
      {"released outside", {25, 12}, {120, 60}, false, 0, {5, 2}},
      {"pressed outside", {120, 60}, {25, 12}, false, 0, {-1, -1}},
      {"hidden child", {25, 12}, {25, 12}, true, 0, {-1, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clicks = 0;
    swatch->lastDown = POINT{-1, -1};
    swatch->SetVisible(!c.hidden);
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.down.x, c.down.y));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(c.up.x, c.up.y));
    EXPECT_EQ(clicks, c.expectedClicks);
    EXPECT_EQ(swatch->lastDown.x, c.expectedDown.x);
    EXPECT_EQ(swatch->lastDown.y, c.expectedDown.y);
  }
}

TEST_F(GraphicControlTest, MouseCrossingsAreToldToTheChildrenItPassesOver) {
  swatch->SetName(L"a");
  auto* second = new Swatch(form);
  second->SetName(L"b");
  second->SetParent(form);
  second->SetBounds(60, 10, 30, 20);
  auto* disabled = new Swatch(form);
  disabled->SetName(L"off");
  disabled->SetParent(form);
  disabled->SetBounds(100, 10, 30, 20);
  disabled->SetEnabled(false);
  form->Show();
  const auto move = [&](int x, int y) { SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); };
  move(5, 5);     // the form itself
  move(25, 12);   // into a
  move(30, 15);   // still a
  move(65, 12);   // straight from a to b
  move(110, 15);  // over the disabled one: the form again
  move(25, 12);   // a once more
  SendMessageW(form->Handle(), WM_MOUSELEAVE, 0, 0);
  move(25, 12);   // back in after leaving the window
  const std::vector<std::wstring> expected{L"+a", L"-a", L"+b", L"-b", L"+a", L"-a", L"+a"};
  EXPECT_EQ(Swatch::crossings, expected);
  Swatch::crossings.clear();
  delete swatch;  // the control under the mouse goes: nothing is told to it afterwards
  swatch = nullptr;
  move(65, 12);
  EXPECT_EQ(Swatch::crossings, std::vector<std::wstring>{L"+b"});
}

}  // namespace

}  // namespace klarvik
