// The skinned push button: its face from the skin in each state, the standard face
// without a skin, and the look of a disabled button.
#include "controls/button.h"

#include <gtest/gtest.h>

#include "base/colors.h"
#include "base/pixel.h"
#include "tests/controls/skinned_controls_fixture.h"

namespace klarvik::test {
namespace {

class ButtonTest : public SkinnedControlsTest {
 protected:
  TsButton* NewButton() {
    auto* button = new TsButton(form);
    button->SetParent(form);
    button->SetBounds(20, 30, 75, 25);
    button->SetCaption(L"&Clean");
    button->HandleNeeded();
    form->Show();
    return button;
  }

  // The button's window as it paints itself now.
  static std::uint32_t PaintedPixel(TsButton& button, int x, int y) {
    TBitmap picture(button.Width(), button.Height());
    SendMessageW(button.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(picture.Canvas().Handle()), 0);
    return picture.Pixels().At(x, y) & 0xFFFFFF;
  }
};

const std::uint32_t kRed = ColorToPixel(kPanelColor, 0) & 0xFFFFFF;
const std::uint32_t kBlue = 0x0000FF;  // the section's hot colour

TEST_F(ButtonTest, TheSkinPaintsTheFaceAndNoSkinGivesItBack) {
  TsButton* button = NewButton();
  SetFocus(form->Handle());
  EXPECT_NE(PaintedPixel(*button, 3, 3), kRed);
  ShowSkin();
  EXPECT_EQ(button->SkinData().SkinSection(), "BUTTON");
  EXPECT_EQ(PaintedPixel(*button, 3, 3), kRed);
  RemoveSkin();
  UpdateWindow(button->Handle());
  EXPECT_NE(PaintedPixel(*button, 3, 3), kRed);
}
TEST_F(ButtonTest, FocusAndTheMouseShowTheHotLook) {
  TsButton* button = NewButton();
  ShowSkin();
  SetFocus(form->Handle());
  struct Step {
    const char* name;
    UINT message;
    int state;
    std::uint32_t face;
  };
  const Step steps[] = {
      {"normal", 0, 0, kRed},
      {"mouse over", CM_MOUSEENTER, 1, kBlue},
      {"mouse gone", CM_MOUSELEAVE, 0, kRed},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    if (step.message) button->Perform(step.message, 0, 0);
    EXPECT_EQ(button->CurrentState(), step.state);
    EXPECT_EQ(PaintedPixel(*button, 3, 3), step.face);
  }
  button->SetFocus();
  EXPECT_EQ(button->CurrentState(), 1);
  EXPECT_EQ(PaintedPixel(*button, 3, 3), kBlue);
}

TEST_F(ButtonTest, ADisabledButtonLetsItsParentShowThroughSixtyPercent) {
  TsButton* button = NewButton();
  ShowSkin();
  SetFocus(form->Handle());
  button->SetEnabled(false);
  const std::uint32_t expected = ColorToPixel(MixColors(kFormColor, kPanelColor, 0.5), 0) & 0xFFFFFF;
  // The form answers no background request: its colour stands in, half and half.
  EXPECT_EQ(PaintedPixel(*button, 3, 3), expected);
}

TEST_F(ButtonTest, ClicksStillClickWithTheSkin) {
  TsButton* button = NewButton();
  ShowSkin();
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(button->CurrentState(), 2);
  SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(clicks, 2);
  EXPECT_NE(button->CurrentState(), 2);
}

// The dialog keys of a form: Enter presses its default button, Escape its cancel button,
// and a button with a modal result hands it to the form.
TEST_F(ButtonTest, EnterAndEscapePressTheDefaultAndCancelButtons) {
  TsButton* ok = NewButton();
  auto* cancel = new TsButton(form);
  cancel->SetParent(form);
  cancel->SetBounds(120, 30, 75, 25);
  cancel->SetCaption(L"Cancel");
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  auto* other = new TsButton(form);
  other->SetParent(form);
  other->SetBounds(200, 30, 75, 25);
  other->HandleNeeded();
  SetFocus(other->Handle());
  struct Case {
    WPARAM key;
    int result;
  };
  for (const Case c : {Case{VK_ESCAPE, mrCancel}, Case{VK_RETURN, mrOk}}) {
    form->SetModalResult(mrNone);
    MSG key{other->Handle(), WM_KEYDOWN, c.key, 0, 0, {}};
    EXPECT_TRUE(IsDialogMessageW(form->Handle(), &key));
    EXPECT_EQ(form->ModalResult(), c.result);
  }
  delete ok;  // a button that goes stops being the default
  EXPECT_EQ(form->DefaultButton(), nullptr);
  EXPECT_EQ(form->CancelButton(), cancel);
}

// The default button shows its hot look while nothing else is hot, pressed or focused.
TEST_F(ButtonTest, TheDefaultButtonWearsTheHotLook) {
  TsButton* button = NewButton();
  ShowSkin();
  SetFocus(form->Handle());
  EXPECT_EQ(PaintedPixel(*button, 3, 3), kRed);
  button->SetDefault(true);
  EXPECT_EQ(button->CurrentState(), 3);
  EXPECT_EQ(button->PaintedState(), 1);  // three states: the default takes the hot one
  EXPECT_EQ(PaintedPixel(*button, 3, 3), kBlue);
}

}  // namespace
}  // namespace klarvik::test
