// How a skin change shows on the skinned forms: at once while the skin-changing time is 0,
// else with the old look fading out over the new one in a layered helper window, never for
// longer than two seconds.
#include <gtest/gtest.h>

#include <algorithm>

#include "skin/manager/skin_broadcast.h"
#include "skin/manager/skin_change_fade.h"
#include "tests/skin/skin_manager_fixture.h"

namespace klarvik::test {
namespace {

// A shown form standing in the list of skinned forms for the test's life.
class SkinnedFormStandIn {
 public:
  explicit SkinnedFormStandIn(TForm* form) : form_(form) {
    form->SetBounds(80, 80, 240, 160);
    form->Show();
    SkinnedForms().push_back(form);
  }
  ~SkinnedFormStandIn() { std::erase(SkinnedForms(), form_); }

 private:
  TForm* form_;
};

struct HelperSeen {
  int layered = 0;
};
HelperSeen* helperSeen = nullptr;

BOOL CALLBACK CountLayeredHelpers(HWND window, LPARAM) {
  const auto* control = TWinControl::FindControl(window);
  if (control && control->Tag() == HelperFormTag && IsWindowVisible(window) &&
      (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) && helperSeen)
    ++helperSeen->layered;
  return TRUE;
}

void CALLBACK LookForHelpers(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CountLayeredHelpers, 0);
}

int LiveHelpers() {
  HelperSeen seen;
  helperSeen = &seen;
  EnumThreadWindows(GetCurrentThreadId(), CountLayeredHelpers, 0);
  helperSeen = nullptr;
  return seen.layered;
}

TEST_F(SkinManagerTest, AChangeShowsAtOnceOrFadesInAsTheSkinChangingTimeSays) {
  TForm* form = RecordingForm(L"form");
  const SkinnedFormStandIn skinned(form);
  manager_->SetSkinName(L"Amber (internal)");
  manager_->SetActive(true);
  struct Case {
    const char* name;
    std::uint16_t time;
    bool fades;
  };
  const Case cases[] = {{"time 0: at once", 0, false}, {"120 ms: ten frames", 120, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    manager_->AnimEffects.SkinChanging.Time = c.time;
    HelperSeen seen;
    helperSeen = &seen;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, LookForHelpers);
    const DWORD start = GetTickCount();
    manager_->SetSkinName(c.fades ? L"Basalt (internal)" : L"Amber (internal)");
    const DWORD took = GetTickCount() - start;
    KillTimer(nullptr, timer);
    helperSeen = nullptr;
    EXPECT_EQ(seen.layered > 0, c.fades);
    if (c.fades) {
      EXPECT_GE(took, 100u);
    }
    EXPECT_EQ(LiveHelpers(), 0);
    EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_VISIBLE) << "redrawing is on again";
  }
}

TEST_F(SkinManagerTest, AFadeEndsWithinTwoSecondsWhateverItsTime) {
  TForm* form = RecordingForm(L"form");
  const SkinnedFormStandIn skinned(form);
  manager_->SetSkinName(L"Amber (internal)");
  manager_->SetActive(true);
  manager_->AnimEffects.SkinChanging.Time = 60000;
  const DWORD start = GetTickCount();
  manager_->SetSkinName(L"Basalt (internal)");
  EXPECT_LT(GetTickCount() - start, 10000u);
  EXPECT_EQ(LiveHelpers(), 0);
}

}  // namespace
}  // namespace klarvik::test
