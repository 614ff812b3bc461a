// The skinned check box: its box from the skin's glyphs or pictures given to it, its
// states and events, read-only use, and its size.
#include "controls/check_box.h"

#include <gtest/gtest.h>

#include <vector>

#include "controls/text_size.h"
#include "skin/manager/skin_broadcast.h"
#include "tests/controls/skinned_controls_fixture.h"

namespace klarvik::test {
namespace {

class CheckBoxTest : public SkinnedControlsTest {
 protected:
  TsCheckBox* NewCheckBox() {
    auto* box = new TsCheckBox(form);
    box->SetParent(form);
    box->SetBounds(20, 30, 218, 19);
    box->SetCaption(L"Clean temporary files on Windows starup");
    box->HandleNeeded();
    form->Show();
    SetFocus(form->Handle());
    box->OnValueChanged = [this](TObject*) { ++changes; };
    return box;
  }

  static std::uint32_t PaintedPixel(TsCheckBox& box, int x, int y) {
    TBitmap picture(box.Width(), box.Height());
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hwndItem = box.Handle();
    item.hDC = picture.Canvas().Handle();
    item.rcItem = RECT{0, 0, box.Width(), box.Height()};
    box.Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    return picture.Pixels().At(x, y);
  }

  void Click(TsCheckBox& box) { SendMessageW(box.Handle(), BM_CLICK, 0, 0); }

  int changes = 0;
};

TEST_F(CheckBoxTest, EachRealChangeIsReportedOnce) {
  TsCheckBox* box = NewCheckBox();
  box->SetChecked(false);
  EXPECT_EQ(changes, 0);
  box->SetChecked(true);
  box->SetChecked(true);
  EXPECT_EQ(changes, 1);
  Click(*box);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(changes, 2);
}

// The parent's end of update repaints a box that its edge cuts, and only such a box.
TEST_F(CheckBoxTest, ParentsUpdateRepaintsOnlyABoxItsEdgeCuts) {
  ShowSkin();
  struct Case {
    const char* name;
    int left;
    int repaints;
  };
  const Case cases[] = {{"inside", 20, 0}, {"cut by the right edge", 200, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TsCheckBox* box = NewCheckBox();
    box->SetLeft(c.left);
    UpdateWindow(box->Handle());
    Pump();
    struct PaintCounter {
      TWndMethod previous;
      int paints = 0;
      void Handle(TMessage& message) {
        if (message.Msg == WM_PAINT) ++paints;
        previous(message);
      }
    } counter{box->WindowProc()};
    box->SetWindowProc(MakeWndMethod<&PaintCounter::Handle>(&counter));
    NotifyChildrenUpdated(*form);
    Pump();
    EXPECT_EQ(counter.paints, c.repaints);
    box->SetWindowProc(counter.previous);
    Free(box);
  }
}

TEST_F(CheckBoxTest, ClicksRunThroughGrayedOnlyWhenAllowed) {
  for (bool allowGrayed : {false, true}) {
    SCOPED_TRACE(allowGrayed);
    TsCheckBox* box = NewCheckBox();
    box->SetAllowGrayed(allowGrayed);
    std::vector<TCheckBoxState> seen;
    for (int i = 0; i < 3; ++i) {
      Click(*box);
      seen.push_back(box->State());
    }
    const std::vector<TCheckBoxState> expected =
        allowGrayed ? std::vector{TCheckBoxState::cbChecked, TCheckBoxState::cbGrayed, TCheckBoxState::cbUnchecked}
                    : std::vector{TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked, TCheckBoxState::cbChecked};
    EXPECT_EQ(seen, expected);
  }
}

TEST_F(CheckBoxTest, AReadOnlyBoxKeepsItsStateAndShowsNoHotLook) {
  ShowSkin();
  TsCheckBox* box = NewCheckBox();
  box->SetReadOnly(true);
  Click(*box);
  SendMessageW(box->Handle(), WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(box->Handle(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(changes, 0);
  box->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(box->GlyphState(), 0);
  box->SetReadOnly(false);
  EXPECT_EQ(box->GlyphState(), 1);
}

TEST_F(CheckBoxTest, TheSkinsGlyphShowsTheStateAndAMissingOneLeavesItsArea) {
  TsCheckBox* box = NewCheckBox();
  ShowSkin();
  struct Case {
    TCheckBoxState state;
    std::uint32_t glyph;  // at the box's place
    SIZE size;
  };
  const Case cases[] = {{TCheckBoxState::cbUnchecked, kUncheckedGlyph, {16, 16}},
                        {TCheckBoxState::cbChecked, kCheckedGlyph, {16, 16}},
                        {TCheckBoxState::cbGrayed, 0, {16, 16}}};  // the skin has no BOXGRAYED
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.state));
    box->SetState(c.state);
    EXPECT_EQ(box->GlyphSize().cx, c.size.cx);
    EXPECT_EQ(box->GlyphSize().cy, c.size.cy);
    const std::uint32_t pixel = PaintedPixel(*box, box->Margin() + 8, box->Height() / 2) & 0xFFFFFF;
    if (c.glyph) {
      EXPECT_EQ(pixel, c.glyph & 0xFFFFFF);
    } else {
      EXPECT_NE(pixel, kUncheckedGlyph & 0xFFFFFF);
      EXPECT_NE(pixel, kCheckedGlyph & 0xFFFFFF);
    }
  }
}

TEST_F(CheckBoxTest, WithASkinItFitsGlyphMarginsAndCaption) {
  TsCheckBox* box = NewCheckBox();
  ShowSkin();
  const SIZE text = SingleLineTextSize(box->Font(), box->Caption());
  EXPECT_EQ(box->Width(), 16 + 2 * 2 + text.cx + 8);
  EXPECT_EQ(box->Height(), std::max<int>(16, text.cy + 4) + 2);
}

// Pictures given to the box: looks side by side; a picture without height holds none.
TEST_F(CheckBoxTest, GivenPicturesTakeThePlaceOfTheSkinsGlyph) {
  TsCheckBox* box = NewCheckBox();
  ShowSkin();
  std::vector<std::uint32_t> strip(36 * 12, 0xFF102030);
  box->SetGlyphUnChecked(PixelView{36, 12, 36, strip.data()});
  EXPECT_EQ(box->GlyphSize().cx, 12);
  EXPECT_EQ(box->GlyphSize().cy, 12);
  // Laid on with its alpha, which may round a channel down by one.
  const std::uint32_t given = PaintedPixel(*box, box->Margin() + 6, box->Height() / 2);
  for (int shift : {0, 8, 16}) EXPECT_NEAR((given >> shift) & 0xFF, (0x102030u >> shift) & 0xFF, 1);
  std::vector<std::uint32_t> flat(36, 0xFF102030);
  box->SetGlyphUnChecked(PixelView{36, 0, 36, flat.data()});
  EXPECT_EQ(box->GlyphSize().cx, 16);  // back to the skin's glyph
  EXPECT_EQ(PaintedPixel(*box, box->Margin() + 8, box->Height() / 2) & 0xFFFFFF, kUncheckedGlyph & 0xFFFFFF);
}

}  // namespace
}  // namespace klarvik::test
