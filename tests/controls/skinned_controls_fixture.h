#pragma once
// A skin manager with a small stored skin whose sections exercise the skin data's rules,
// and owners of skin data: a windowed panel and a windowless control, each answering the
// skin commands through its TsCommonData and recording the commands it saw.
#include <windows.h>

#include <memory>
#include <vector>

#include "controls/common_data.h"
#include "runtime/custom_control.h"
#include "runtime/forms.h"
#include "runtime/graphic_control.h"
#include "skin/manager/skin_manager.h"
#include "tests/support/runtime_test_support.h"

namespace klarvik::test {

// Colours of the test skin, as COLORREFs.
constexpr TColor kGlobalColor{0xF0F0F0};
constexpr TColor kGlobalFontColor{11777720};
constexpr TColor kLinkColor{0xFF0000};     // TCBOTTOM
constexpr TColor kHotLinkColor{0x0000FF};  // TCTOP
constexpr TColor kPanelColor{0x0000FF};
constexpr TColor kLenderFontColor{0x123456};
constexpr TColor kFormColor{0x00FF00};
// Pixels of the check glyphs' normal look (the hot and pressed looks are 1 and 2 less).
constexpr std::uint32_t kUncheckedGlyph = 0xFF30A040;
constexpr std::uint32_t kCheckedGlyph = 0xFF4060C0;

template <class Base>
class SkinDataOwner : public Base {
 public:
  SkinDataOwner(TComponent* owner, int kind, bool withCache) : Base(owner), data(this, withCache) { data.ControlKind = kind; }

  void WndProc(TMessage& message) override {
    if (message.Msg == WM_SKINCOMMAND) commands.push_back(SkinCommandOf(message.WParam));
    if (data.HandleMessage(message)) return;
    Base::WndProc(message);
  }

  TsCommonData data;
  std::vector<WORD> commands;  // every skin command that reached the owner
};

using SkinnedPanel = SkinDataOwner<TCustomControl>;
using SkinnedGraphic = SkinDataOwner<TGraphicControl>;

class SkinnedControlsTest : public RuntimeTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A panel of that kind and section on the form at (x, y), 100 × 40.
  SkinnedPanel* NewPanel(TWinControl* parent, const char* section, int x = 10, int y = 20, int kind = 51);
  SkinnedGraphic* NewGraphic(TWinControl* parent, const char* section, int x = 5, int y = 6, int kind = 161);
  void ShowSkin();
  void RemoveSkin();

  TsSkinManager* manager = nullptr;
  TForm* form = nullptr;
};

}  // namespace klarvik::test
