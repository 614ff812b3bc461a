#pragma once
// The option objects a skin manager publishes, with their defaults. Forms, menus, scroll
// bars and the standard-window adapter read them.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace klarvik {

struct TacSkinEffects {
  bool AllowGlowing = true;
  bool AllowAeroBluring = true;
};

enum class TacAnimType { atFading, atAero };

struct TacFormAnimation {
  bool Active = true;
  std::uint16_t Time = 0;  // milliseconds
};
struct TacModedAnimation : TacFormAnimation {
  TacAnimType Mode = TacAnimType::atAero;
};
using TacFormShow = TacModedAnimation;
using TacFormHide = TacModedAnimation;
using TacDialogShow = TacModedAnimation;
using TacPageChange = TacFormAnimation;
struct TacMinimizing : TacFormAnimation {
  TacMinimizing() { Time = 200; }
};
struct TacBlendOnMoving : TacFormAnimation {
  TacBlendOnMoving() {
    Active = false;
    Time = 1000;
  }
  std::uint8_t BlendValue = 170;
};
// No fade by default: the new skin shows at once, as the system's own animations do where
// they are switched off (under Wine, always).
struct TacSkinChanging : TacModedAnimation {
  TacSkinChanging() { Mode = TacAnimType::atFading; }
};

enum TacBtnEvent : unsigned { beMouseEnter = 1, beMouseLeave = 2, beMouseDown = 4, beMouseUp = 8 };
struct TacBtnEffects {
  unsigned Events = beMouseEnter | beMouseLeave | beMouseDown | beMouseUp;
};

struct TacAnimEffects {
  TacBlendOnMoving BlendOnMoving;
  TacBtnEffects Buttons;
  TacDialogShow DialogShow;
  TacFormShow FormShow;
  TacFormHide FormHide;
  TacFormHide DialogHide;
  TacMinimizing Minimizing;
  TacPageChange PageChange;
  TacSkinChanging SkinChanging;
};

struct TacButtonsSupport {
  bool ShowFocusRect = true;
};

struct TacScrollBarsSupport {
  int ScrollSize = -1;  // -1: the system's width
};

struct TacMenuSupport {
  std::uint8_t AlphaBlend = 255;
  std::wstring IcoLineSkin;  // "ICOLINE" once the manager has finished loading
  bool UseExtraLine = false;
  int ExtraLineWidth = 32;
};

// Class names of foreign controls, one list per kind, one name per line.
struct ThirdPartyList {
  static constexpr int kCount = 22;
  static constexpr int kButtons = 1;
  static constexpr int kVirtualTrees = 12;
  static constexpr int kPageControl = 13;
  // The texts as set, by list number.
  std::array<std::wstring, kCount> Lists;
  // The names each text holds, as written (compared with their letter case).
  std::array<std::vector<std::wstring>, kCount> Classes;
  // With `all` every list takes its default, else only empty ones do; then every text is
  // read into its names.
  void Reset(bool all);
};

enum TsSkinningRule : unsigned { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };
constexpr unsigned kAllSkinningRules = srStdForms | srStdDialogs | srThirdParty;

}  // namespace klarvik
