#pragma once
// A skin manager with a small stored skin that has everything a skinned frame shows, each
// part in a colour of its own, and a shown form with a menu bar to put a provider on.
#include <windows.h>

#include <cstdint>

#include "runtime/forms.h"
#include "runtime/menus.h"
#include "skin/manager/skin_manager.h"
#include "tests/support/runtime_test_support.h"
#include "window/skin_provider.h"

namespace klarvik::test {

// Pixels of the test skin, as the form image holds them (0xAARRGGBB).
constexpr std::uint32_t kFormPixel = 0xFF00C000;          // FORM (COLOR 49152)
constexpr std::uint32_t kBorderPixel = 0xFF102030;        // the frame's border mask
constexpr std::uint32_t kActiveTitlePixel = 0xFF0000C0;   // FORMTITLE's hot look
constexpr std::uint32_t kInactiveTitlePixel = 0xFF405060; // FORMTITLE's normal look
constexpr std::uint32_t kMenuLinePixel = 0xFFC0C000;
constexpr std::uint32_t kCloseGlyphPixel = 0xFFC03030;
constexpr std::uint32_t kMinGlyphPixel = 0xFF30C030;
constexpr std::uint32_t kMaxGlyphPixel = 0xFF3030C0;
constexpr std::uint32_t kSmallCloseGlyphPixel = 0xFFC0C030;
// The frame's corner blocks are 4 x 4; the top-left corner's transparent pixels are
// (0, 0), (1, 0) and (0, 1), mirrored in the other corners.
constexpr int kCornerSize = 4;

class SkinnedFormTest : public RuntimeTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The form, made with that border style, shown, with the skin on; its provider.
  TsSkinProvider* ShowSkinnedForm(TFormBorderStyle style = TFormBorderStyle::bsSingle);
  void ShowSkin();
  void RemoveSkin();
  // Lets every pending paint and posted message through.
  void Settle();
  // The pixel at (x, y) of the window as it shows, frame included.
  std::uint32_t WindowPixel(int x, int y);
  // The pixel of the provider's form image.
  std::uint32_t ImagePixel(int x, int y);
  // A point in the middle of the title, away from the icon, the caption and the buttons.
  POINT TitlePoint();

  TsSkinManager* manager = nullptr;
  TForm* form = nullptr;
  TsSkinProvider* provider = nullptr;
};

}  // namespace klarvik::test
