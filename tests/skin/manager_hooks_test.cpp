// The default manager's hooks: the application window's messages, the thread hook that
// hands new windows on while a skin is shown, and the handlers of hooked windows, which
// go with their window and with the skin.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "runtime/menus.h"
#include "skin/manager/application_hook.h"
#include "skin/manager/thread_hook.h"
#include "tests/skin/skin_manager_fixture.h"
#include "win/live_gdi_objects.h"

namespace klarvik::test {
namespace {

// Counts its instances, so a test sees handlers freed.
class CountedHandler : public TacWindowHandler {
 public:
  explicit CountedHandler(int& live) : live_(live) { ++live_; }
  ~CountedHandler() override { --live_; }
  bool HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
    if (msg != WM_APP + 5) return false;
    result = 55;
    return true;
  }

 private:
  int& live_;
};

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The thread's top-level windows: what user objects it holds that a leak would add to.
int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

HWND PlainWindow() { return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr); }

TEST_F(SkinManagerTest, TheThreadHookHandsWindowsOnOnlyWhileASkinIsShown) {
  std::vector<HWND> handed;
  manager_->OnHookedWindow = [&](HWND window, bool activated, HookedWindows&) {
    if (!activated) handed.push_back(window);
  };
  EXPECT_EQ(manager_->ThreadHookOf(), nullptr);
  manager_->SetSkinName(L"Amber (internal)");
  manager_->SetActive(true);
  ASSERT_NE(manager_->ThreadHookOf(), nullptr);
  EXPECT_TRUE(manager_->ThreadHookOf()->Installed());
  HWND shown = PlainWindow();
  EXPECT_EQ(std::count(handed.begin(), handed.end(), shown), 1);
  manager_->SetActive(false);
  EXPECT_EQ(manager_->ThreadHookOf(), nullptr);
  HWND after = PlainWindow();
  EXPECT_EQ(std::count(handed.begin(), handed.end(), after), 0);
  DestroyWindow(shown);
  DestroyWindow(after);
}

TEST_F(SkinManagerTest, HandlersGoWithTheirWindowAndWithTheSkin) {
  int live = 0;
  manager_->OnHookedWindow = [&](HWND window, bool activated, HookedWindows& windows) {
    if (!activated) windows.Attach(window, std::make_unique<CountedHandler>(live));
  };
  manager_->SetSkinName(L"Amber (internal)");
  manager_->SetActive(true);
  HWND first = PlainWindow();
  HWND second = PlainWindow();
  ASSERT_EQ(live, 2);
  EXPECT_EQ(SendMessageW(first, WM_APP + 5, 0, 0), 55) << "the handler sees the window's messages";
  DestroyWindow(first);
  EXPECT_EQ(live, 1);
  EXPECT_EQ(manager_->ThreadHookOf()->Windows().Count(), 1);
  manager_->SetActive(false);
  EXPECT_EQ(live, 0);
  EXPECT_NE(SendMessageW(second, WM_APP + 5, 0, 0), 55) << "the window has its own procedure back";
  DestroyWindow(second);
}

TEST_F(SkinManagerTest, SkinSwitchesLeaveNoHookHandlerOrObjectBehind) {
  int live = 0;
  manager_->OnHookedWindow = [&](HWND window, bool activated, HookedWindows& windows) {
    if (!activated) windows.Attach(window, std::make_unique<CountedHandler>(live));
  };
  manager_->SetSkinName(L"Amber (internal)");
  manager_->SetActive(true);
  manager_->SetActive(false);
  const int gdi = LiveGdiObjects();
  const int windows = ThreadWindowCount();
  for (int i = 0; i < 1000; ++i) {
    manager_->SetActive(true);
    DestroyWindow(PlainWindow());
    HWND kept = PlainWindow();
    manager_->SetSkinName(i % 2 ? L"Amber (internal)" : L"Basalt (internal)");
    manager_->SetActive(false);
    DestroyWindow(kept);
  }
  EXPECT_EQ(live, 0);
  EXPECT_EQ(manager_->ThreadHookOf(), nullptr);
  EXPECT_LE(LiveGdiObjects(), gdi + 2);
  EXPECT_EQ(ThreadWindowCount(), windows);
}

TEST_F(SkinManagerTest, TheApplicationWindowRemembersMinimizeAndRestoreAndPassesUpdatesOn) {
  ApplicationWindowHook* hook = manager_->ApplicationHook();
  ASSERT_NE(hook, nullptr);
  HWND application = app.Handle();
  EXPECT_EQ(hook->Window(), application);
  RecordingForm(L"form");
  manager_->SetSkinName(L"Amber (internal)");
  manager_->SetActive(true);
  SendMessageW(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(hook->LastCommand(), TacSystemCommand::Minimizing);
  SendMessageW(application, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(hook->LastCommand(), TacSystemCommand::Restoring);
  SendMessageW(application, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
  EXPECT_EQ(hook->LastCommand(), TacSystemCommand::None);

  log_.clear();
  SendMessageW(application, WM_SKINUPDATEFORMS, 0, 0);
  const auto updates = std::count_if(log_.begin(), log_.end(), [](const ReceivedCommand& r) {
    return r.receiver == L"form" && r.command == SKC_UPDATEFORMS;
  });
  EXPECT_EQ(updates, 1);
}

TMenuItem* shownItem = nullptr;
HWND shownTo = nullptr;

// Runs while the pop-up menu is open: names its item to the application's window, then
// closes the menu.
void CALLBACK TellOfShownItem(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  SendMessageW(shownTo, WM_SKINPOPUPITEM, 0, reinterpret_cast<LPARAM>(shownItem));
  EndMenu();
}

// The item in the message comes from someone else: a freed one is never touched; a live
// one leads to the pop-up menu it opened.
TEST_F(SkinManagerTest, APopupItemIsUsedOnlyWhileItLives) {
  ApplicationWindowHook* hook = manager_->ApplicationHook();
  ASSERT_NE(hook, nullptr);
  std::vector<std::pair<HWND, TMenuItem*>> popups;
  hook->OnPopupMenu = [&](HWND popup, TMenuItem* item) { popups.emplace_back(popup, item); };
  HWND application = app.Handle();

  auto* gone = new TMenuItem(nullptr);
  Free(gone);
  SendMessageW(application, WM_SKINPOPUPITEM, 0, reinterpret_cast<LPARAM>(gone));
  EXPECT_TRUE(popups.empty());

  // A real pop-up menu: while it is open the message names one of its items.
  TPopupMenu menu(nullptr);
  auto* item = new TMenuItem(nullptr);
  item->SetCaption(L"Entry");
  menu.Items()->Add(item);
  shownItem = item;
  shownTo = application;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, TellOfShownItem);
  RecordingForm(L"owner");
  TrackPopupMenu(menu.Handle(), TPM_RETURNCMD, 100, 100, 0, application, nullptr);
  KillTimer(nullptr, timer);
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0].second, item);
}

}  // namespace
}  // namespace klarvik::test
