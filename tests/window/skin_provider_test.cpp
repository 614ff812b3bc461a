// The form skin provider: taking a form's messages over and handing them back, the frame,
// title, caption buttons and menu band it paints, the window's shape, activation, and the
// standard look coming back with the skin's removal.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/bitmap.h"
#include "skin/manager/skin_broadcast.h"
#include "tests/window/skinned_form_fixture.h"
#include "win/exceptions.h"
#include "window/caption_cover.h"
#include "window/handler_link.h"

namespace klarvik {

namespace {

using klarvik::test::SkinnedFormTest;
using namespace klarvik::test;

constexpr UINT kProbeMessage = WM_APP + 23;

// Sits in a form's handler slot, records what passes and hands everything on.
struct Recorder {
  TWndMethod previous;
  std::vector<UINT> probes;
  std::vector<WORD> skinCommands;
  std::function<void(const TMessage&)> onMessage;     // before the previous handler
  std::function<void(const TMessage&)> afterMessage;  // after it
  void Handle(TMessage& message) {
    if (message.Msg == kProbeMessage) probes.push_back(message.Msg);
    if (message.Msg == WM_SKINCOMMAND) skinCommands.push_back(SkinCommandOf(message.WParam));
    if (onMessage) onMessage(message);
    previous(message);
    if (afterMessage) afterMessage(message);
  }
  void Install(TCustomForm& form) {
    previous = form.WindowProc();
    form.SetWindowProc(MakeWndMethod<&Recorder::Handle>(this));
  }
};

bool InSkinnedForms(TCustomForm* form) {
  const auto& forms = SkinnedForms();
  return std::find(forms.begin(), forms.end(), form) != forms.end();
}

int HandlerLinks(TCustomForm& form) {
  int links = 0;
  for (int i = 0; i < form.ComponentCount(); ++i) links += dynamic_cast<TacHandlerLink*>(form.Components(i)) ? 1 : 0;
  return links;
}

TEST_F(SkinnedFormTest, ProviderNeedsAFormAndASecondOneStaysInert) {
  try {
    new TsSkinProvider(manager);
    FAIL() << "a provider was made for a skin manager";
  } catch (const EInvalidOperation& error) {
    EXPECT_EQ(MessageOf(error), L"TsSkinProvider component may be used with forms only!");
  }
  // Both made while the form has no window yet, as a form's constructor makes them.
  app.CreateForm(form);
  provider = new TsSkinProvider(form);
  auto* second = new TsSkinProvider(form);
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_TRUE(second->Inert());
  EXPECT_FALSE(provider->Inert());
  EXPECT_EQ(ProviderOf(*form), provider);
  Free(second);
  EXPECT_EQ(ProviderOf(*form), provider);
  form->Show();
  ShowSkin();
  Settle();
  EXPECT_TRUE(provider->FormImage() != nullptr);
}

TEST_F(SkinnedFormTest, TakingOverAndHandingBackLeavesTheFormAsBefore) {
  app.CreateForm(form);
  const TWndMethod own = form->WindowProc();
  provider = new TsSkinProvider(form);
  EXPECT_NE(form->WindowProc(), own);
  EXPECT_TRUE(InSkinnedForms(form));
  EXPECT_EQ(HandlerLinks(*form), 1);
  Free(provider);
  EXPECT_EQ(form->WindowProc(), own);
  EXPECT_FALSE(InSkinnedForms(form));
  EXPECT_EQ(HandlerLinks(*form), 0);
}

// A handler installed after the provider keeps calling the one it replaced; the provider's
// going must neither cut it off nor leave it calling freed memory.
TEST_F(SkinnedFormTest, LaterHandlerKeepsItsChainWhenTheProviderGoes) {
  ShowSkinnedForm();
  Recorder later;
  later.Install(*form);
  Free(provider);
  provider = nullptr;
  EXPECT_EQ(form->WindowProc(), MakeWndMethod<&Recorder::Handle>(&later));
  SendMessageW(form->Handle(), kProbeMessage, 0, 0);
  SetWindowTextW(form->Handle(), L"Still handled");
  EXPECT_EQ(later.probes.size(), 1u);
  EXPECT_EQ(form->Caption(), L"Still handled");
  EXPECT_EQ(SendMessageW(form->Handle(), WM_SKINCOMMAND, SkinCommandParam(SKC_ISSKINNED), 0), 0);
  // The form frees what stayed in its chain, once.
  form->SetWindowProc(later.previous);
  Free(form);
  form = nullptr;
}

TEST_F(SkinnedFormTest, FormWithProviderIsReachedOnceByABroadcast) {
  ShowSkinnedForm();
  EXPECT_EQ(SendMessageW(form->Handle(), WM_SKINCOMMAND, SkinCommandParam(SKC_ISSKINNED), 0), 1);
  Recorder above;
  above.Install(*form);
  BroadcastSkinCommand(SKC_SKINAPPLIED, reinterpret_cast<LPARAM>(manager));
  EXPECT_EQ(std::count(above.skinCommands.begin(), above.skinCommands.end(), SKC_SKINAPPLIED), 1);
  form->SetWindowProc(above.previous);
}

TEST_F(SkinnedFormTest, FramePartsComeFromTheSkinAndShowOnTheWindow) {
  ShowSkinnedForm();
  ASSERT_TRUE(provider->FormImage() != nullptr);
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  const int height = window.bottom - window.top;
  const Rect close = provider->CloseButton().Bounds;
  const Rect minimize = provider->MinimizeButton().Bounds;
  ASSERT_FALSE(close.Empty());
  ASSERT_FALSE(minimize.Empty());
  EXPECT_EQ(provider->MaximizeButton().State, -1);  // a single-border form cannot be maximized
  EXPECT_LT(minimize.right, close.left);
  const POINT title = TitlePoint();
  const int menuTop = provider->FrameWidth() + provider->CaptionHeight();
  struct Case {
    const char* part;
    POINT at;
    std::uint32_t pixel;
  };
  const Case cases[] = {
      {"title, active", title, kActiveTitlePixel},
      {"close glyph", {close.left + 8, close.top + 8}, kCloseGlyphPixel},
      {"minimize glyph", {minimize.left + 8, minimize.top + 8}, kMinGlyphPixel},
      {"menu band, right of the items", {window.right - window.left - 20, menuTop + 4}, kMenuLinePixel},
      {"left frame", {1, height / 2}, kBorderPixel},
      {"bottom frame", {40, height - 2}, kBorderPixel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.part);
    EXPECT_EQ(ImagePixel(c.at.x, c.at.y), c.pixel);
    EXPECT_EQ(WindowPixel(c.at.x, c.at.y), c.pixel);
  }
  // The title shows no system menu style, so the system draws no buttons of its own.
  EXPECT_FALSE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_SYSMENU);
}

TEST_F(SkinnedFormTest, MenuBarItemsShowOnTheSkinnedBand) {
  ShowSkinnedForm();
  RECT window{}, item{};
  GetWindowRect(form->Handle(), &window);
  ASSERT_TRUE(GetMenuItemRect(form->Handle(), GetMenu(form->Handle()), 0, &item));
  int text = 0, band = 0;
  for (int y = item.top; y < item.bottom; ++y) {
    for (int x = item.left; x < item.right; ++x) {
      const std::uint32_t pixel = WindowPixel(x - window.left, y - window.top);
      (pixel == kMenuLinePixel ? band : text) += 1;
    }
  }
  EXPECT_GT(band, text);  // the band around the caption
  EXPECT_GT(text, 5);     // and the caption's letters
}

// A borderless form keeps its shape and shows no title; only its background is skinned.
TEST_F(SkinnedFormTest, BorderlessFormGetsOnlyItsBackground) {
  ShowSkinnedForm(TFormBorderStyle::bsNone);
  EXPECT_EQ(provider->CaptionHeight(), 0);
  EXPECT_EQ(provider->CloseButton().State, -1);
  const UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(form->Handle(), region.Get()), ERROR);
  EXPECT_EQ(WindowPixel(40, 60), kFormPixel);
}

TEST_F(SkinnedFormTest, ClientBackgroundComesFromTheSkin) {
  ShowSkinnedForm();
  RECT client{};
  GetClientRect(form->Handle(), &client);
  const int x = provider->ClientOffsetX() + client.right / 2, y = provider->ClientOffsetY() + client.bottom / 2;
  EXPECT_EQ(WindowPixel(x, y), kFormPixel);

  // A section with a picture: children are lent the form image at their client position.
  provider->SkinData().SetSkinSection("SHADED");
  BroadcastSkinCommand(SKC_SKINAPPLIED, reinterpret_cast<LPARAM>(manager));
  Settle();
  TacBgRequest request;
  SendMessageW(form->Handle(), WM_SKINCOMMAND, SkinCommandParam(SKC_GETBACKGROUND), reinterpret_cast<LPARAM>(&request));
  ASSERT_EQ(request.Kind, TacBgRequest::kImage);
  EXPECT_EQ(request.Image, provider->FormImage());
  EXPECT_EQ(request.OffsetX, provider->ClientOffsetX());
  EXPECT_EQ(request.OffsetY, provider->ClientOffsetY());
  EXPECT_EQ(WindowPixel(x, y), ImagePixel(x, y));

  // Drawn at once for a child at client point (5, 7): the image pixel under that point.
  TBitmap drawn(1, 1);
  TacBgRequest now;
  now.DrawNow = true;
  now.DC = drawn.Canvas().Handle();
  now.Rect = RECT{0, 0, 1, 1};
  now.OffsetX = 5;
  now.OffsetY = 7;
  SendMessageW(form->Handle(), WM_SKINCOMMAND, SkinCommandParam(SKC_GETBACKGROUND), reinterpret_cast<LPARAM>(&now));
  EXPECT_EQ(drawn.Pixels().At(0, 0) | 0xFF000000u, ImagePixel(provider->ClientOffsetX() + 5, provider->ClientOffsetY() + 7));
}

TEST_F(SkinnedFormTest, ActivationShowsTheTitlesTwoLooks) {
  ShowSkinnedForm();
  const POINT title = TitlePoint();
  SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
  EXPECT_FALSE(provider->FormIsActive());
  EXPECT_EQ(ImagePixel(title.x, title.y), kInactiveTitlePixel);
  EXPECT_EQ(WindowPixel(title.x, title.y), kInactiveTitlePixel);
  SendMessageW(form->Handle(), WM_NCACTIVATE, TRUE, 0);
  EXPECT_EQ(ImagePixel(title.x, title.y), kActiveTitlePixel);
  EXPECT_EQ(WindowPixel(title.x, title.y), kActiveTitlePixel);
}

TEST_F(SkinnedFormTest, CaptionTextFollowsItsAlignmentAndReadingOrder) {
  ShowSkinnedForm();
  // The title's band between the icon and the buttons: everything not title-coloured there
  // is the caption's text.
  const int from = 24, to = provider->MinimizeButton().Bounds.left - 2;
  const int bottom = provider->FrameWidth() + provider->CaptionHeight();
  const auto textSpan = [&] {
    int first = to, last = from;
    for (int y = 0; y < bottom; ++y) {
      for (int x = from; x < to; ++x) {
        if (ImagePixel(x, y) == kActiveTitlePixel) continue;
        first = std::min(first, x);
        last = std::max(last, x);
      }
    }
    return std::pair{first, last};
  };
  struct Case {
    const char* name;
    TsCaptionAlignment alignment;
    TBiDiMode reading;
    int expectedMiddle;  // where the text's middle lies, within a quarter of the band
  };
  const int quarter = (to - from) / 4;
  const Case cases[] = {
      {"left", TsCaptionAlignment::taLeftJustify, TBiDiMode::bdLeftToRight, from + quarter / 2},
      {"right", TsCaptionAlignment::taRightJustify, TBiDiMode::bdLeftToRight, to - quarter / 2},
      {"centre", TsCaptionAlignment::taCenter, TBiDiMode::bdLeftToRight, (from + to) / 2},
      {"left, read right to left", TsCaptionAlignment::taLeftJustify, TBiDiMode::bdRightToLeft, to - quarter / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    provider->CaptionAlignment = c.alignment;
    form->SetBiDiMode(c.reading);
    provider->RepaintNonClient();
    const auto [first, last] = textSpan();
    ASSERT_LT(first, last);
    EXPECT_NEAR((first + last) / 2, c.expectedMiddle, quarter / 2);
  }
}

TEST_F(SkinnedFormTest, TitleWithOneLookKeepsItsPictureOnDeactivation) {
  ShowSkinnedForm();
  provider->TitleSkin = "STILLTITLE";
  provider->RepaintNonClient();
  const POINT title = TitlePoint();
  provider->FormImage()->Pixels().At(title.x, title.y) = 0xFF123456;
  SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(ImagePixel(title.x, title.y), 0xFF123456u);
}

// The provider with a recorder underneath it, which sees the system's own turn at each
// message the provider hands on.
Recorder* ProviderOverRecorder(TForm& form, TsSkinProvider*& provider) {
  auto* below = new Recorder;
  Free(provider);
  below->Install(form);
  provider = new TsSkinProvider(&form);
  return below;
}

// The system draws its own caption when it handles activation; none of it may reach the
// window, in either direction.
TEST_F(SkinnedFormTest, SystemCaptionNeverShowsOnActivation) {
  ShowSkinnedForm();
  std::unique_ptr<Recorder> below(ProviderOverRecorder(*form, provider));
  BroadcastSkinCommand(SKC_SKINAPPLIED, reinterpret_cast<LPARAM>(manager));
  Settle();
  const POINT title = TitlePoint();
  std::vector<std::uint32_t> seen;
  below->afterMessage = [&](const TMessage& message) {
    if (message.Msg == WM_NCACTIVATE) seen.push_back(WindowPixel(title.x, title.y));
  };
  SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
  SendMessageW(form->Handle(), WM_NCACTIVATE, TRUE, 0);
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{kActiveTitlePixel, kInactiveTitlePixel}));
  EXPECT_EQ(WindowPixel(title.x, title.y), kActiveTitlePixel);
  Free(provider);
  provider = nullptr;
  form->SetWindowProc(below->previous);
}

// A caption change has no such quiet way: a helper form covers the title meanwhile.
TEST_F(SkinnedFormTest, CaptionCoverHidesTheSystemCaptionDuringACaptionChange) {
  ShowSkinnedForm();
  std::unique_ptr<Recorder> below(ProviderOverRecorder(*form, provider));
  BroadcastSkinCommand(SKC_SKINAPPLIED, reinterpret_cast<LPARAM>(manager));
  Settle();
  bool covered = false;
  below->onMessage = [&](const TMessage& message) {
    if (message.Msg != WM_SETTEXT) return;
    TacCaptionCover* cover = provider->CaptionCover();
    covered = cover && cover->HandleAllocated() && IsWindowVisible(cover->Handle()) && cover->Tag() == HelperFormTag &&
              cover->Owner() == nullptr;
  };
  SetWindowTextW(form->Handle(), L"Renamed");
  EXPECT_TRUE(covered);
  EXPECT_EQ(provider->CaptionCover(), nullptr);
  EXPECT_EQ(form->Caption(), L"Renamed");
  Free(provider);
  provider = nullptr;
  form->SetWindowProc(below->previous);
}

TEST_F(SkinnedFormTest, TransparentCornersAreCutFromTheWindow) {
  ShowSkinnedForm();
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  const int w = window.right - window.left, h = window.bottom - window.top;
  const UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(GetWindowRgn(form->Handle(), region.Get()), COMPLEXREGION);
  struct Case {
    POINT at;
    bool inside;
  };
  const Case cases[] = {{{0, 0}, false},         {{1, 0}, false},         {{0, 1}, false},         {{2, 0}, true},
                        {{1, 1}, true},          {{w - 1, 0}, false},     {{w - 3, 0}, true},      {{0, h - 1}, false},
                        {{w - 1, h - 1}, false}, {{w - 2, h - 2}, true},  {{w / 2, h / 2}, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at.x << "," << c.at.y);
    EXPECT_EQ(PtInRegion(region.Get(), c.at.x, c.at.y) != 0, c.inside);
  }
  EXPECT_EQ(provider->CornerCutouts().size(), 2u * 4);  // two runs in each corner
}

// The system owns a region once the window has it and frees it when it is replaced: the
// window keeps a valid shape through every rebuild and no region is left behind.
TEST_F(SkinnedFormTest, RegionsHandedToTheWindowAreNeitherLeakedNorDeleted) {
  ShowSkinnedForm(TFormBorderStyle::bsSizeable);
  const int before = LiveGdiObjects();
  for (int i = 0; i < 12; ++i) {
    form->SetWidth(form->Width() + (i % 2 ? -1 : 1));
    Settle();
    const UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(form->Handle(), region.Get()), COMPLEXREGION);
  }
  EXPECT_LE(LiveGdiObjects(), before + 2);
}

TEST_F(SkinnedFormTest, MaximizedWindowIsInsetByItsFrame) {
  ShowSkinnedForm(TFormBorderStyle::bsSizeable);
  ShowWindow(form->Handle(), SW_MAXIMIZE);
  Settle();
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  const int frame = provider->FrameWidth();
  const UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(GetWindowRgn(form->Handle(), region.Get()), SIMPLEREGION);
  RECT box{};
  GetRgnBox(region.Get(), &box);
  EXPECT_EQ(box.left, frame);
  EXPECT_EQ(box.top, frame);
  EXPECT_EQ(box.right, window.right - window.left - frame);
  EXPECT_EQ(box.bottom, window.bottom - window.top - frame);
  EXPECT_FALSE(provider->MaximizeButton().Bounds.Empty());
}

TEST_F(SkinnedFormTest, RemovingTheSkinBringsTheStandardFrameBack) {
  ShowSkinnedForm();
  const TColor skinned = form->Color();
  RemoveSkin();
  Settle();
  HWND window = form->Handle();
  EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU);
  const UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(window, region.Get()), ERROR);
  EXPECT_EQ(form->Color(), clBtnFace);
  EXPECT_EQ(provider->FormImage(), nullptr);
  EXPECT_NE(skinned, clBtnFace);

  ShowSkin();
  Settle();
  EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU);
  EXPECT_EQ(GetWindowRgn(window, region.Get()), COMPLEXREGION);
}

TEST_F(SkinnedFormTest, CaptionButtonGlyphsFollowTheBorderStyle) {
  struct Case {
    TFormBorderStyle style;
    std::uint32_t closePixel;
    bool minimize;
  };
  const Case cases[] = {
      {TFormBorderStyle::bsSingle, kCloseGlyphPixel, true},
      {TFormBorderStyle::bsSizeable, kCloseGlyphPixel, true},
      {TFormBorderStyle::bsToolWindow, kSmallCloseGlyphPixel, false},
      {TFormBorderStyle::bsDialog, kSmallCloseGlyphPixel, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    ShowSkinnedForm(c.style);
    const Rect close = provider->CloseButton().Bounds;
    ASSERT_FALSE(close.Empty());
    EXPECT_EQ(ImagePixel(close.left + 2, close.top + 2), c.closePixel);
    EXPECT_EQ(provider->MinimizeButton().State >= 0, c.minimize);
    Free(form);
  }
  form = nullptr;
}

// A form without the system menu (the About box) has no caption buttons, and its caption
// may run on where they would stand.
TEST_F(SkinnedFormTest, FormWithoutSystemMenuHasNoCaptionButtons) {
  app.CreateForm(form);
  form->SetBorderStyle(TFormBorderStyle::bsSizeable);
  form->SetBorderIcons(0);
  form->SetBounds(60, 60, 320, 220);
  form->SetCaption(L"About");
  provider = new TsSkinProvider(form);
  form->Show();
  ShowSkin();
  Settle();
  for (const CaptionButtonSlot* button : {&provider->CloseButton(), &provider->MinimizeButton(), &provider->MaximizeButton()})
    EXPECT_EQ(button->State, -1);
  EXPECT_EQ(provider->ButtonsWidth(), 0);
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  const int w = window.right - window.left;
  const LPARAM nearRight = MAKELPARAM(window.right - 10, window.top + provider->FrameWidth() + provider->CaptionHeight() / 2);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_NCHITTEST, 0, nearRight), HTCAPTION);
  EXPECT_EQ(ImagePixel(w - 12, provider->FrameWidth() + 2), kActiveTitlePixel);
}

TEST_F(SkinnedFormTest, CloseBoxClosesTheForm) {
  ShowSkinnedForm();
  bool closed = false;
  form->OnClose = [&](TObject*, TCloseAction& action) {
    closed = true;
    action = TCloseAction::caHide;
  };
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  const Rect close = provider->CloseButton().Bounds;
  const LPARAM at = MAKELPARAM(window.left + close.left + 4, window.top + close.top + 4);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_NCHITTEST, 0, at), HTCLOSE);
  SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTCLOSE, at);
  EXPECT_EQ(provider->CloseButton().State, 2);
  SendMessageW(form->Handle(), WM_NCLBUTTONUP, HTCLOSE, at);
  Settle();
  EXPECT_TRUE(closed);
  EXPECT_EQ(provider->CloseButton().State, 0);
}

// Composition is looked up when first needed; the program must start where it is missing.
TEST(DesktopComposition, IsNotAnImportOfTheProgram) {
  const auto* base = reinterpret_cast<const std::uint8_t*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  ASSERT_NE(imports.VirtualAddress, 0u);
  int libraries = 0;
  for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name; ++entry) {
    const char* name = reinterpret_cast<const char*>(base + entry->Name);
    EXPECT_NE(_stricmp(name, "dwmapi.dll"), 0);
    ++libraries;
  }
  EXPECT_GT(libraries, 0);
}

}  // namespace

}  // namespace klarvik
