// What the manager's options do: the class lists read into names, the scroll bars' width,
// glowing and extended borders where the system allows them, and the one hot window and
// control under the mouse.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/graphic_control.h"
#include "skin/manager/skin_broadcast.h"
#include "tests/skin/skin_manager_fixture.h"
#include "win/layered_windows.h"

namespace klarvik::test {
namespace {

TEST_F(SkinManagerTest, ClassListsAreReadIntoNamesAndAnEmptyOneTakesItsDefault) {
  manager_->BeginLoading();
  manager_->ThirdParty.Lists[ThirdPartyList::kVirtualTrees] = L" \r\nTAdvTaskDialog";
  manager_->ThirdParty.Lists[5] = L"";
  manager_->EndLoading();
  EXPECT_EQ(manager_->ThirdParty.Classes[ThirdPartyList::kVirtualTrees],
            (std::vector<std::wstring>{L" ", L"TAdvTaskDialog"}));
  EXPECT_EQ(manager_->ThirdParty.Lists[5], L" ");
  EXPECT_EQ(manager_->ThirdParty.Classes[ThirdPartyList::kButtons], (std::vector<std::wstring>{L"TButton"}));
}

TEST_F(SkinManagerTest, ScrollBarWidthIsTheManagersOrTheSystems) {
  const int system = GetSystemMetrics(SM_CXVSCROLL);
  struct Case {
    int scrollSize;
    int expected;
  };
  for (const Case& c : {Case{-1, system}, Case{0, 0}, Case{20, 20}}) {
    manager_->SetScrollSize(c.scrollSize);
    EXPECT_EQ(ScrollBarWidth(manager_), c.expected) << c.scrollSize;
  }
  EXPECT_EQ(ScrollBarWidth(nullptr), system);
}

TEST_F(SkinManagerTest, GlowingAndExtendedBordersNeedLayeredWindows) {
  ASSERT_TRUE(LayeredWindowsAvailable()) << "Wine has layered windows";
  EXPECT_TRUE(manager_->GlowingAllowed());
  manager_->Effects.AllowGlowing = false;
  EXPECT_FALSE(manager_->GlowingAllowed());

  manager_->SetSkinName(L"Amber (internal)");
  manager_->SetActive(true);
  EXPECT_EQ(manager_->ExtendedBorderState().left, 0) << "off by default";
  manager_->SetExtendedBorders(true);
  EXPECT_TRUE(manager_->ExtendedBorders());
  const ExtendedBorderImages& on = manager_->ExtendedBorderState();
  EXPECT_EQ(on.left + on.top + on.right + on.bottom, 4 * kBuiltInShadowMargin) << "the skin has no EXBORDER";
  manager_->SetExtendedBorders(false);
  EXPECT_EQ(manager_->ExtendedBorderState().top, 0);
}

// Answers whether the mouse is inside as its test says, and records the commands it gets.
class HotCandidate : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  bool mouseInside = false;
  std::vector<WORD> commands;
  void WndProc(TMessage& message) override {
    if (message.Msg == WM_SKINCOMMAND) {
      commands.push_back(SkinCommandOf(message.WParam));
      if (SkinCommandOf(message.WParam) == SKC_ISMOUSEINSIDE) message.Result = mouseInside ? 1 : 0;
      return;
    }
    TGraphicControl::WndProc(message);
  }
};

TEST_F(SkinManagerTest, TheHotControlStaysWhileTheMouseIsOverIt) {
  TForm* form = RecordingForm(L"form");
  auto* first = new HotCandidate(form);
  auto* second = new HotCandidate(form);
  manager_->SetHotControl(first);
  first->mouseInside = true;
  manager_->SetHotControl(nullptr);
  EXPECT_EQ(manager_->HotControl(), first) << "refused while the mouse is inside";
  first->mouseInside = false;
  manager_->SetHotControl(nullptr);
  EXPECT_EQ(manager_->HotControl(), nullptr);
  EXPECT_EQ(first->commands.back(), SKC_MOUSELEAVE);
  manager_->SetHotControl(second);
  manager_->SetHotControl(first);
  EXPECT_EQ(second->commands.back(), SKC_MOUSELEAVE) << "a new hot control takes over at once";
}

TEST_F(SkinManagerTest, ANewHotWindowIsToldAndTheOldOneReleased) {
  TForm* one = RecordingForm(L"one");
  TForm* two = RecordingForm(L"two");
  const auto commandsTo = [&](const std::wstring& name) {
    std::vector<WORD> commands;
    for (const ReceivedCommand& r : log_)
      if (r.receiver == name) commands.push_back(r.command);
    return commands;
  };
  log_.clear();
  manager_->SetHotWindow(one->Handle());
  manager_->SetHotWindow(one->Handle());
  manager_->SetHotWindow(two->Handle());
  EXPECT_EQ(commandsTo(L"one"), (std::vector<WORD>{SKC_MOUSEENTER, SKC_MOUSELEAVE}));
  EXPECT_EQ(commandsTo(L"two"), (std::vector<WORD>{SKC_MOUSEENTER}));

  // A hot control the mouse is still over keeps the old window hot.
  auto* control = new HotCandidate(two);
  manager_->SetHotControl(control);
  manager_->SetHotWindow(two->Handle());
  control->mouseInside = true;
  manager_->SetHotWindow(one->Handle());
  EXPECT_EQ(manager_->HotWindow(), two->Handle());
}

}  // namespace
}  // namespace klarvik::test
