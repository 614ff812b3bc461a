// Labels in the colours of the shown skin, glow and contours of skinned text, and the
// helpers that fit text to a width.
#include <gtest/gtest.h>

#include "base/colors.h"
#include "base/pixel.h"
#include "controls/glow_window.h"
#include "controls/label.h"
#include "controls/skinned_text.h"
#include "controls/web_label.h"
#include "runtime/bitmap.h"
#include "tests/controls/skinned_controls_fixture.h"

namespace klarvik::test {
namespace {

class ProbeLabel : public TsLabel {
 public:
  using TsLabel::TsLabel;
  TColor Colour() { return CurrentColor(); }
};

TEST_F(SkinnedControlsTest, LabelsTakeTheSkinsTextColourAndGiveItBack) {
  auto* label = new ProbeLabel(form);
  label->SetParent(form);
  label->SetCaption(L"Temp Folder Size:");
  label->Font().SetColor(TColor{0x010203});
  EXPECT_EQ(label->Colour(), TColor{0x010203});
  ShowSkin();
  EXPECT_EQ(label->Colour(), kGlobalFontColor);
  label->SetEnabled(false);
  EXPECT_EQ(label->Colour(), MixColors(kGlobalFontColor, kFormColor, 0.4));
  label->SetEnabled(true);
  label->SetUseSkinColor(false);
  EXPECT_EQ(label->Colour(), TColor{0x010203});
  label->SetUseSkinColor(true);
  RemoveSkin();
  EXPECT_EQ(label->Colour(), TColor{0x010203});
}

TEST_F(SkinnedControlsTest, ALabelBorrowsTheFontColourOfAParentThatLendsIt) {
  ShowSkin();
  struct Case {
    const char* parentSection;
    TColor expected;
  };
  // An opaque lender lends; a parent that does not lend leaves the global colour; a clear
  // parent passes the question on to the form, which has no section.
  const Case cases[] = {{"LENDER", kLenderFontColor}, {"PANEL", kGlobalFontColor}, {"CLEAR", kGlobalFontColor}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.parentSection);
    SkinnedPanel* panel = NewPanel(form, c.parentSection);
    auto* label = new ProbeLabel(form);
    label->SetParent(panel);
    EXPECT_EQ(label->Colour(), c.expected);
  }
}

class ProbeWebLabel : public TsWebLabel {
 public:
  using TsWebLabel::TsWebLabel;
  TColor Colour() { return CurrentColor(); }
  std::vector<std::pair<std::wstring, int>> opened;

 protected:
  void OpenAddress(const std::wstring& url, int showCommand) override { opened.emplace_back(url, showCommand); }
};

TEST_F(SkinnedControlsTest, AWebLabelShowsTheLinkColoursAndTheHoverColour) {
  auto* link = new ProbeWebLabel(form);
  link->SetParent(form);
  link->SetBounds(10, 10, 60, 15);
  TFont normal;
  normal.SetColor(TColor{0x112233});
  link->SetFont(normal);
  link->SetCaption(L"klarvik.example");
  link->HoverFont().SetColor(TColor{0x445566});
  struct Case {
    bool skinned, hovered;
    TColor expected;
  };
  const Case cases[] = {{false, false, TColor{0x112233}}, {false, true, TColor{0x445566}},
                        {true, false, kLinkColor},        {true, true, kHotLinkColor}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.skinned << c.hovered);
    if (c.skinned) ShowSkin(); else RemoveSkin();
    SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, c.hovered ? MAKELPARAM(link->Left() + 2, link->Top() + 2) : MAKELPARAM(200, 150));
    EXPECT_EQ(link->MouseOver(), c.hovered);
    EXPECT_EQ(link->Colour(), c.expected);
  }
}

TEST_F(SkinnedControlsTest, AWebLabelTakesItsParentsFontInItsOwnColours) {
  auto* link = new ProbeWebLabel(form);
  link->NormalFont().SetColor(TColor{0x112233});
  link->HoverFont().SetColor(TColor{0x445566});
  link->SetParent(form);
  form->Font().SetName(L"Tahoma");
  form->Font().SetHeight(-17);
  for (TFont* font : {&link->NormalFont(), &link->HoverFont()}) {
    EXPECT_EQ(font->Name(), L"Tahoma");
    EXPECT_EQ(font->Height(), -17);
  }
  EXPECT_EQ(link->NormalFont().Color(), TColor{0x112233});
  EXPECT_EQ(link->HoverFont().Color(), TColor{0x445566});
}

TEST_F(SkinnedControlsTest, AWebLabelOpensItsAddressWhenClickedAndShowsAHand) {
  auto* link = new ProbeWebLabel(form);
  link->SetParent(form);
  link->SetBounds(10, 10, 60, 15);
  const auto click = [&] {
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(15, 15));
  };
  click();
  EXPECT_TRUE(link->opened.empty());  // no address, nothing opened
  link->SetURL(L"https://klarvik.example/");
  click();
  ASSERT_EQ(link->opened.size(), 1u);
  EXPECT_EQ(link->opened[0].first, L"https://klarvik.example/");
  EXPECT_EQ(link->opened[0].second, 10);  // soDefault
  const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  const auto pointerAt = [&](int x, int y) {
    SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageW(form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  EXPECT_EQ(pointerAt(15, 15), hand);
  EXPECT_NE(pointerAt(200, 150), hand);
}

TEST_F(SkinnedControlsTest, ALabelWithASectionPaintsItUnderItsText) {
  auto* label = new TsLabel(form);
  label->SetParent(form);
  label->SetAutoSize(false);
  label->SetBounds(20, 20, 60, 20);
  label->SetCaption(L"");
  label->SetSkinSection("panel");  // kept as written, looked up in capitals
  EXPECT_EQ(label->SkinSection(), "panel");
  const auto pixelAt = [&](int x, int y) {
    TBitmap picture(300, 200);
    SendMessageW(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Canvas().Handle()), PRF_CLIENT);
    return picture.Pixels().At(x, y) & 0xFFFFFF;
  };
  EXPECT_EQ(pixelAt(30, 30), ColorToPixel(kFormColor, 0));  // no skin: the form shows through
  ShowSkin();
  EXPECT_EQ(pixelAt(30, 30), ColorToPixel(kPanelColor, 0));
  EXPECT_EQ(pixelAt(10, 10), ColorToPixel(kFormColor, 0));
}

// The web label is opaque, so its parent leaves its area out: the label must put the
// parent's background there itself, not leave what the window held before.
TEST_F(SkinnedControlsTest, AWebLabelPaintsItsParentsBackgroundUnderItsText) {
  auto* label = new TsWebLabel(form);
  label->SetParent(form);
  label->SetAutoSize(false);
  label->SetBounds(20, 20, 120, 20);
  label->SetCaption(L"x");
  TBitmap picture(300, 200);
  const PixelView pixels = picture.Pixels();
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x) pixels.At(x, y) = 0xFFFF00FF;
  SendMessageW(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Canvas().Handle()), PRF_CLIENT);
  EXPECT_EQ(picture.Pixels().At(130, 35) & 0xFFFFFF, ColorToPixel(kFormColor, 0) & 0xFFFFFF);
}

// A wrapped label keeps its width and grows to the lines its caption needs.
TEST_F(SkinnedControlsTest, AWrappedLabelBreaksItsCaptionIntoLines) {
  auto* label = new TsLabel(form);
  label->SetParent(form);
  label->SetCaption(L"Klarvik");
  const int oneLine = label->Height();
  label->SetWordWrap(true);
  label->SetBounds(10, 10, 120, oneLine);
  label->SetCaption(L"Klarvik is free to use and to give away unchanged.");
  EXPECT_EQ(label->Width(), 120);
  EXPECT_GE(label->Height(), 2 * oneLine);
}

TEST_F(SkinnedControlsTest, LabelsArePaintedInTheSkinsColour) {
  auto* label = new TsLabel(form);
  label->SetParent(form);
  label->SetBounds(10, 10, 10, 10);
  label->Font().SetHeight(-40);
  label->SetCaption(L"MMM");
  ShowSkin();
  TBitmap picture(300, 200);
  SendMessageW(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.Canvas().Handle()), PRF_CLIENT);
  const PixelView pixels = picture.Pixels();
  int inFontColour = 0;
  for (int y = label->Top(); y < label->Top() + label->Height(); ++y)
    for (int x = label->Left(); x < label->Left() + label->Width(); ++x)
      inFontColour += (pixels.At(x, y) & 0xFFFFFF) == (ColorToPixel(kGlobalFontColor, 0) & 0xFFFFFF) ? 1 : 0;
  EXPECT_GT(inFontColour, 20);
}

TEST_F(SkinnedControlsTest, GlowLightsTheAreaAroundTheTextOnlyForAPositiveSize) {
  const std::uint32_t black = 0xFF000000;
  for (int size : {0, 3}) {
    SCOPED_TRACE(size);
    TBitmap target(80, 40);
    PixelView pixels = target.Pixels();
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 80; ++x) pixels.At(x, y) = black;
    TFont font;
    font.SetHeight(-20);
    DrawGlowText(target, L"Wg", Rect{20, 10, 60, 30}, font, TColor{0x0000FF}, size, kContourLeft, DT_SINGLELINE);
    pixels = target.Pixels();
    int lit = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 80; ++x) lit += pixels.At(x, y) != black ? 1 : 0;
    if (size == 0) {
      EXPECT_EQ(lit, 0);
    } else {
      EXPECT_GT(lit, 50);
      EXPECT_EQ(pixels.At(0, 0), black);  // farther than the blur reaches
    }
  }
}

// Black text with red contours on all four sides; greyed toward the skin's main colour
// when disabled; the font's own colour when the control keeps its font.
TEST_F(SkinnedControlsTest, SkinnedTextDrawsContoursAroundTheTextInTheSectionsColours) {
  ShowSkin();
  SkinnedPanel* panel = NewPanel(form, "OUTLINED");
  struct Case {
    const char* name;
    bool enabled, customFont;
    std::uint32_t text;  // a colour that must show
    bool contours;
  };
  const std::uint32_t grey = ColorToPixel(MixColors(TColor{0}, kGlobalColor, 0.4), 0) & 0xFFFFFF;
  const Case cases[] = {{"enabled", true, false, 0x000000, true},
                        {"disabled", false, false, grey, false},
                        {"own font", true, true, 0x00FF00, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    panel->data.SetCustomFont(c.customFont);
    TBitmap picture(120, 50);
    PixelView pixels = picture.Pixels();
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 120; ++x) pixels.At(x, y) = 0xFFFFFFFF;
    TCanvas& canvas = picture.Canvas();
    canvas.Font().SetHeight(-30);
    canvas.Font().SetColor(TColor{0x00FF00});
    DrawSkinnedText(canvas, L"HIH", c.enabled, false, panel->data, DT_SINGLELINE, Rect{10, 5, 110, 45});
    pixels = picture.Pixels();
    int text = 0, red = 0;
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 120; ++x) {
        const std::uint32_t p = pixels.At(x, y) & 0xFFFFFF;
        text += p == c.text ? 1 : 0;
        red += p == 0xFF0000 ? 1 : 0;
      }
    EXPECT_GT(text, 20);
    EXPECT_EQ(red > 20, c.contours);
  }
}

TEST(SkinnedText, TruncatingCutsUntilTheTextAndItsEllipsisFit) {
  TBitmap picture(10, 10);
  TCanvas& canvas = picture.Canvas();
  const std::wstring text = L"Temporary files";
  const int full = canvas.TextWidth(text);
  EXPECT_EQ(TruncateWithEllipsis(canvas, text, 0), L"");
  EXPECT_EQ(TruncateWithEllipsis(canvas, text, -5), L"");
  EXPECT_EQ(TruncateWithEllipsis(canvas, text, full), text);
  const std::wstring cut = TruncateWithEllipsis(canvas, text, full / 2);
  ASSERT_GT(cut.size(), 3u);
  EXPECT_EQ(cut.substr(cut.size() - 3), L"...");
  EXPECT_LE(canvas.TextWidth(cut), full / 2);
  EXPECT_EQ(TruncateWithEllipsis(canvas, text, 1), L"");  // not even "..." fits
}

TEST(SkinnedText, MeasuringWrapsInTheWidthOrTakesOneLine) {
  TFont font;
  const SIZE line = MeasureText(font, L"Delete files and folders", 0, 0, false);
  EXPECT_GT(line.cx, 0);
  const SIZE wrapped = MeasureText(font, L"Delete files and folders", DT_WORDBREAK, line.cx / 2, true);
  EXPECT_GE(wrapped.cy, 2 * line.cy);
  EXPECT_LE(wrapped.cx, line.cx / 2);
}

// A light that the margin shrinks to nothing is not shown at all.
TEST(GlowWindow, ShowsOnlyAPositiveSizeAndGoesWithTheSkin) {
  TsSkinTables tables;
  TsMaskData glow;
  glow.Bitmap = std::make_shared<SkinBitmap>();
  glow.Bitmap->width = 12;
  glow.Bitmap->height = 12;
  glow.Bitmap->pixels.assign(144, 0xFFFFFFFF);
  glow.SourceRect = Rect{0, 0, 12, 12};
  glow.ImageKind = kImageGlow;
  glow.BorderLeft = glow.BorderTop = glow.BorderRight = glow.BorderBottom = 4;
  tables.Masks.push_back(glow);
  const Rect control{100, 100, 110, 110};
  EXPECT_EQ(ShowGlow(tables, 0, nullptr, control, control, 9), -1);  // 10 + 8 - 18 = 0
  EXPECT_EQ(ShowGlow(tables, 5, nullptr, control, control, 0), -1);  // no such entry
  const int shown = ShowGlow(tables, 0, nullptr, control, control, 1);
  ASSERT_GE(shown, 0);
  EXPECT_EQ(LiveGlowCount(), 1);
  RECT placed{};
  GetWindowRect(GlowWindow(shown), &placed);
  EXPECT_EQ(placed.left, 97);
  EXPECT_EQ(placed.right - placed.left, 16);
  EXPECT_EQ(SendMessageW(GlowWindow(shown), WM_NCHITTEST, 0, MAKELPARAM(105, 105)), HTTRANSPARENT);
  HideAllGlows();
  EXPECT_EQ(LiveGlowCount(), 0);
}

}  // namespace
}  // namespace klarvik::test
