// Menu items on real HMENUs: radio groups, short cuts through the message loop, menu
// commands and access keys of buttons on a form.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "runtime/forms.h"
#include "runtime/menus.h"
#include "tests/support/runtime_test_support.h"

namespace klarvik {

namespace {

using klarvik::test::RuntimeTest;

MENUITEMINFOW EntryOf(HMENU menu, const TMenuItem& item) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE | MIIM_FTYPE;
  EXPECT_TRUE(GetMenuItemInfoW(menu, item.Command(), FALSE, &info));
  return info;
}

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const std::wstring& caption) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

TEST_F(RuntimeTest, RadioItemsKeepOneCheckPerGroupUnderTheirParent) {
  struct Case {
    const char* name;
    std::vector<int> checks;     // items checked in this order
    std::vector<bool> expected;  // Checked() of every item afterwards
  };
  // Items 0-2: radio, group 10. Items 3-4: radio, group 20. Item 5: plain check item, group 10.
  // Item 6: radio, group 10, under another parent.
  const Case cases[] = {
      {"one item", {1}, {false, true, false, false, false, false, false}},
      {"later check wins", {0, 2}, {false, false, true, false, false, false, false}},
      {"groups independent", {3, 1, 4}, {false, true, false, false, true, false, false}},
      {"plain item untouched", {5, 0}, {true, false, false, false, false, true, false}},
      {"plain item unchecks none", {0, 5}, {true, false, false, false, false, true, false}},
      {"other parent independent", {6, 0}, {true, false, false, false, false, false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMainMenu menu(nullptr);
    TMenuItem* skin = NewItem(&menu, menu.Items(), L"&Skin");
    TMenuItem* other = NewItem(&menu, menu.Items(), L"&Other");
    std::vector<TMenuItem*> items;
    const BYTE groups[] = {10, 10, 10, 20, 20, 10};
    for (int i = 0; i < 6; ++i) {
      TMenuItem* item = NewItem(&menu, skin, L"Item");
      item->SetGroupIndex(groups[i]);
      item->SetRadioItem(i != 5);
      items.push_back(item);
    }
    TMenuItem* elsewhere = NewItem(&menu, other, L"Elsewhere");
    elsewhere->SetGroupIndex(10);
    elsewhere->SetRadioItem(true);
    items.push_back(elsewhere);
    ASSERT_NE(menu.Handle(), nullptr);

    for (int index : c.checks) items[static_cast<size_t>(index)]->SetChecked(true);

    for (size_t i = 0; i < items.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(items[i]->Checked(), c.expected[i]);
      const MENUITEMINFOW entry = EntryOf(items[i]->Parent()->Handle(), *items[i]);
      EXPECT_EQ((entry.fState & MFS_CHECKED) != 0, c.expected[i]);
      EXPECT_EQ((entry.fType & MFT_RADIOCHECK) != 0, i != 5);
    }
  }
}

TEST_F(RuntimeTest, MenuEntriesShowCaptionShortCutAndState) {
  TMainMenu menu(nullptr);
  TMenuItem* file = NewItem(&menu, menu.Items(), L"&File");
  TMenuItem* refresh = NewItem(&menu, file, L"&Refresh");
  refresh->SetShortCut(ShortCut(VK_F5, scNone));
  NewItem(&menu, file, L"-");
  TMenuItem* exit = NewItem(&menu, file, L"E&xit");
  exit->SetEnabled(false);

  HMENU bar = menu.Handle();
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  HMENU popup = GetSubMenu(bar, 0);
  ASSERT_EQ(popup, file->Handle());
  wchar_t text[64] = {};
  GetMenuStringW(popup, 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&Refresh\tF5");
  EXPECT_EQ(GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_NE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_GRAYED, 0u);

  exit->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(popup), 2);
  EXPECT_EQ(file->Find(L"refresh"), refresh);
  EXPECT_EQ(menu.FindItem(exit->Command()), exit);
}

// A form with File > Refresh (F5) in its menu bar.
class MenuFormTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    app.CreateForm(form);
    menu = new TMainMenu(form);
    TMenuItem* file = NewItem(form, menu->Items(), L"&File");
    refresh = NewItem(form, file, L"&Refresh");
    refresh->SetShortCut(ShortCut(VK_F5, scNone));
    refresh->OnClick = [this](TObject*) { ++clicks; };
    form->SetMenu(menu);
    form->Show();
    Pump();
  }

  TForm* form = nullptr;
  TMainMenu* menu = nullptr;
  TMenuItem* refresh = nullptr;
  int clicks = 0;
};

TEST_F(MenuFormTest, ShortCutReachesTheItemThroughTheMessageLoop) {
  struct Case {
    const char* name;
    bool enabled;
    WPARAM key;
    int expectedClicks;
  };
  const Case cases[] = {
      {"F5", true, VK_F5, 1},
      {"disabled item", false, VK_F5, 0},
      {"other key", true, VK_F6, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clicks = 0;
    refresh->SetEnabled(c.enabled);
    PostMessageW(form->Handle(), WM_KEYDOWN, c.key, 1);
    Pump();
    EXPECT_EQ(clicks, c.expectedClicks);
  }
}

TEST_F(MenuFormTest, MenuCommandClicksItsItem) {
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(refresh->Command(), 0), 0);
  EXPECT_EQ(clicks, 1);
}

// A standard push button wrapped by a control: its BN_CLICKED comes back reflected.
class PushButton : public TWinControl {
 public:
  using TWinControl::TWinControl;

  void WndProc(TMessage& message) override {
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
      Click();
      return;
    }
    TWinControl::WndProc(message);
  }

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.WinClassName = L"BUTTON";
    params.Style |= BS_PUSHBUTTON;
  }
};

TEST_F(MenuFormTest, AltAccessKeyClicksTheButtonOncePerPress) {
  auto* clean = new PushButton(form);
  clean->SetParent(form);
  clean->SetBounds(10, 10, 75, 25);
  clean->SetCaption(L"&Clean");
  clean->SetTabStop(true);
  int cleanClicks = 0;
  clean->OnClick = [&](TObject*) { ++cleanClicks; };
  ASSERT_TRUE(clean->HandleAllocated());

  // Held down: the first message and the key's repeats (previous-state bit set).
  const LPARAM first = static_cast<LPARAM>(KF_ALTDOWN) << 16 | 1;
  const LPARAM repeated = first | static_cast<LPARAM>(KF_REPEAT) << 16;
  PostMessageW(form->Handle(), WM_SYSCHAR, L'c', first);
  for (int i = 0; i < 5; ++i) PostMessageW(form->Handle(), WM_SYSCHAR, L'c', repeated);
  Pump();

  EXPECT_EQ(cleanClicks, 1) << "a held access key clicks once";
  EXPECT_EQ(clicks, 0);

  PostMessageW(form->Handle(), WM_SYSCHAR, L'c', first);
  Pump();
  EXPECT_EQ(cleanClicks, 2) << "pressed again, it clicks again";
}

}  // namespace

}  // namespace klarvik
