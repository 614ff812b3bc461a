// The per-control skin data among real windows: section names, kinds, colours and
// backgrounds answered to children, the update lock, and the skin commands it ignores.
#include "controls/common_data.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "base/colors.h"
#include "skin/manager/skin_broadcast.h"
#include "tests/controls/skinned_controls_fixture.h"

namespace klarvik::test {
namespace {

int Count(const std::vector<WORD>& commands, WORD command) {
  return static_cast<int>(std::count(commands.begin(), commands.end(), command));
}

TEST_F(SkinnedControlsTest, SectionNamesAreStoredUpperCaseAndAnUnchangedNameSendsNothing) {
  ShowSkin();
  SkinnedPanel* panel = NewPanel(form, "PANEL");
  struct Step {
    const char* set;
    const char* stored;
    int applied;  // SKC_SKINAPPLIED the owner has received so far
  };
  const Step steps[] = {{"half", "HALF", 1}, {"HALF", "HALF", 1}, {"button", "BUTTON", 2}, {"", "UNKNOWN", 2}};
  panel->commands.clear();
  for (const Step& step : steps) {
    SCOPED_TRACE(step.set);
    panel->data.SetSkinSection(step.set);
    EXPECT_EQ(panel->data.SkinSection(), step.stored);
    EXPECT_EQ(Count(panel->commands, SKC_SKINAPPLIED), step.applied);
  }
  // A section the skin lacks: the owner is told the skin is gone for it.
  EXPECT_EQ(Count(panel->commands, SKC_SKINREMOVED), 1);
  EXPECT_FALSE(panel->data.Skinned());
}

TEST_F(SkinnedControlsTest, OwnersWithoutASectionTakeTheOneOfTheirKindOrTheirClassName) {
  struct Case {
    int kind;
    const char* expected;
  };
  const Case cases[] = {{kKindCheckBox, "CHECKBOX"}, {kKindButton, "BUTTON"}, {kKindGauge, "GAUGE"}, {999, "SKINDATAOWNER"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    SkinnedGraphic* graphic = NewGraphic(form, nullptr, 0, 0, c.kind);
    graphic->data.ChooseDefaultSection();
    EXPECT_EQ(graphic->data.SkinSection(), c.expected);
  }
}

TEST_F(SkinnedControlsTest, IndicesFollowTheSkinInAndOut) {
  SkinnedPanel* panel = NewPanel(form, "PANEL");
  EXPECT_FALSE(panel->data.Skinned());
  ShowSkin();
  EXPECT_TRUE(panel->data.Skinned(true));
  EXPECT_EQ(panel->data.SectionIndex, manager->Tables().IndexOfSection("PANEL"));
  EXPECT_FALSE(panel->data.PaintLocked);
  RemoveSkin();
  EXPECT_EQ(panel->data.SectionIndex, -1);
  EXPECT_TRUE(panel->data.PaintLocked);
  EXPECT_FALSE(panel->data.Skinned());
}

TEST_F(SkinnedControlsTest, AContainerKindNeverTurnsHotUnderTheMouse) {
  ShowSkin();
  struct Case {
    int kind;
    bool hot;
  };
  for (const Case c : {Case{kKindGauge, false}, Case{kKindButton, true}}) {
    SCOPED_TRACE(c.kind);
    SkinnedGraphic* graphic = NewGraphic(form, c.kind == kKindGauge ? "GAUGE" : "BUTTON", 0, 0, c.kind);
    graphic->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(graphic->data.MouseInside, c.hot);
    EXPECT_EQ(graphic->data.IsActive(), c.hot);
    EXPECT_EQ(graphic->data.GlowHandle, -1);
    graphic->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(graphic->data.IsActive());
  }
}

TEST_F(SkinnedControlsTest, ColourForChildrenMixesTheParentByTheSectionsTransparency) {
  ShowSkin();
  struct Case {
    const char* section;
    TColor expected;
  };
  const Case cases[] = {
      {"PANEL", kPanelColor},
      {"HALF", MixColors(kFormColor, kPanelColor, 0.4)},
      {"CLEAR", kFormColor},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.section);
    SkinnedPanel* panel = NewPanel(form, c.section);
    EXPECT_EQ(panel->data.ControlColor(0, panel->Handle()), c.expected);
  }
  // Not skinned: the owner's own colour.
  RemoveSkin();
  SkinnedPanel* plain = NewPanel(form, "HALF");
  plain->SetColor(TColor{0x808080});
  EXPECT_EQ(plain->data.ControlColor(0, plain->Handle()), TColor{0x808080});
}

TEST_F(SkinnedControlsTest, AClearControlWithoutCacheAsksItsParentAndAddsItsPosition) {
  ShowSkin();
  SkinnedPanel* parent = NewPanel(form, "SHADED", 10, 20);
  parent->data.PrepareCache();
  SkinnedGraphic* child = NewGraphic(parent, "CLEAR", 7, 9);
  TacBgRequest request;
  child->Perform(WM_SKINCOMMAND, SkinCommandParam(SKC_GETBACKGROUND), reinterpret_cast<LPARAM>(&request));
  EXPECT_EQ(request.Kind, TacBgRequest::kImage);
  EXPECT_EQ(request.Image, parent->data.CacheBitmap());
  EXPECT_EQ(request.OffsetX, 7);
  EXPECT_EQ(request.OffsetY, 9);
}

TEST_F(SkinnedControlsTest, AnOpaqueGradientWithAnEmptyCacheIsNotReadyAndChildrenPaintWithoutIt) {
  ShowSkin();
  SkinnedPanel* parent = NewPanel(form, "SHADED");
  TacBgRequest request;
  SendSkinCommand(*parent, SKC_GETBACKGROUND, reinterpret_cast<LPARAM>(&request));
  EXPECT_EQ(request.Kind, TacBgRequest::kNotReady);
  SkinnedGraphic* child = NewGraphic(parent, "PANEL");
  const TacParentCache cache = child->data.GetParentCache();
  EXPECT_FALSE(cache.Ready);
  EXPECT_EQ(cache.FillColor, kKeyColor);
}

TEST_F(SkinnedControlsTest, NestedUpdatesUnlockAtEachEndButReportOnlyTheLast) {
  ShowSkin();
  SkinnedPanel* panel = NewPanel(form, "PANEL");
  panel->commands.clear();
  panel->data.BeginUpdate();
  panel->data.BeginUpdate();
  EXPECT_TRUE(panel->data.PaintLocked);
  panel->data.EndUpdate(false);
  EXPECT_FALSE(panel->data.PaintLocked);
  EXPECT_EQ(Count(panel->commands, SKC_ENDUPDATE), 0);
  panel->data.EndUpdate(false);
  EXPECT_EQ(Count(panel->commands, SKC_ENDUPDATE), 1);
  EXPECT_EQ(Count(panel->commands, SKC_BEGINUPDATE), 1);
}

// Any program can send the message number; a pointer from another thread is not ours to write through.
TEST_F(SkinnedControlsTest, CommandsCarryingAPointerAreIgnoredFromAnotherThread) {
  ShowSkin();
  SkinnedPanel* panel = NewPanel(form, "PANEL");
  const int own = panel->data.SectionIndex;
  ASSERT_GE(own, 0);
  TacSectionInfo fromHere;
  SendMessageW(panel->Handle(), WM_SKINCOMMAND, SkinCommandParam(SKC_GETSECTIONINDEX), reinterpret_cast<LPARAM>(&fromHere));
  EXPECT_EQ(fromHere.SectionIndex, own);

  TacSectionInfo fromElsewhere;
  TacSectionRequest rename{0, "HALF"};
  std::atomic<bool> done{false};
  HWND window = panel->Handle();
  std::thread sender([&] {
    SendMessageW(window, WM_SKINCOMMAND, SkinCommandParam(SKC_GETSECTIONINDEX), reinterpret_cast<LPARAM>(&fromElsewhere));
    SendMessageW(window, WM_SKINCOMMAND, SkinCommandParam(SKC_SETSECTION), reinterpret_cast<LPARAM>(&rename));
    done = true;
  });
  const DWORD deadline = GetTickCount() + 5000;
  while (!done && GetTickCount() < deadline) {
    Pump();
    Sleep(1);
  }
  sender.join();
  EXPECT_EQ(fromElsewhere.SectionIndex, -1);
  EXPECT_EQ(panel->data.SkinSection(), "PANEL");
}

// A child that is being destroyed is passed over; its later siblings still hear the command.
TEST_F(SkinnedControlsTest, BroadcastsPassOverAChildBeingDestroyed) {
  class Dying : public TGraphicControl {
   public:
    using TGraphicControl::TGraphicControl;
    void StartDying() { SetComponentState(csDestroying); }
    void WndProc(TMessage& message) override {
      if (message.Msg == WM_SKINCOMMAND) heard = true;
      TGraphicControl::WndProc(message);
    }
    bool heard = false;
  };
  SkinnedPanel* container = NewPanel(form, "PANEL");
  SkinnedGraphic* first = NewGraphic(container, "PANEL");
  auto* dying = new Dying(form);
  dying->SetParent(container);
  SkinnedGraphic* last = NewGraphic(container, "PANEL");
  dying->StartDying();
  const TMessage message{WM_SKINCOMMAND, SkinCommandParam(SKC_INVALIDATEBG), 0, 0};
  for (auto broadcast : {+[](TWinControl& c, const TMessage& m) { BroadcastToChildren(c, m); },
                         +[](TWinControl& c, const TMessage& m) { SendSkinCommandToControls(c, m); }}) {
    first->commands.clear();
    last->commands.clear();
    broadcast(*container, message);
    EXPECT_EQ(Count(first->commands, SKC_INVALIDATEBG), 1);
    EXPECT_EQ(Count(last->commands, SKC_INVALIDATEBG), 1);
    EXPECT_FALSE(dying->heard);
  }
}

}  // namespace
}  // namespace klarvik::test
