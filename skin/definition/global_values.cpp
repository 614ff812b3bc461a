#include "skin/definition/global_values.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/colors.h"
#include "skin/definition/value_parsing.h"

namespace klarvik {

namespace {

constexpr std::string_view kGlobal = "GLOBALINFO";

std::int16_t Read16(const TsIniText& ini, std::string_view key, int fallback) {
  return ClampToInt16(ini.ReadInteger(kGlobal, key, fallback));
}

std::int16_t ReadStrict16(const TsIniText& ini, std::string_view key, std::string_view fallback) {
  return ClampToInt16(StrictInteger(ini.ReadString(kGlobal, key, fallback)));
}

const TsGeneralData* RecordNamed(const TsGeneralDataArray& records, std::string_view name) {
  auto found = std::find_if(records.begin(), records.end(), [&](const TsGeneralData& r) { return r.SectionName == name; });
  return found == records.end() ? nullptr : &*found;
}

}  // namespace

TsSkinData ReadGlobalValues(const TsIniText& ini, const TsSystemInfo& system) {
  TsSkinData data;
  data.Version = ParseVersion(ini.ReadString(kGlobal, "VERSION", "0"));
  data.Author = ini.ReadString(kGlobal, "AUTHOR", "");
  data.Description = ini.ReadString(kGlobal, "DESCRIPTION", "");
  data.Shadow1Color = TColor{ini.ReadInteger(kGlobal, "SHADOW1COLOR", 0)};
  data.Shadow1Offset = ReadStrict16(ini, "SHADOW1OFFSET", "0");
  data.Shadow1Blur = ReadStrict16(ini, "SHADOW1BLUR", "-1");
  data.Shadow1Transparency = ReadStrict16(ini, "SHADOW1TRANSPARENCY", "0");
  data.BorderWidth = Read16(ini, "BORDERWIDTH", 4);
  data.TitleHeight = Read16(ini, "TITLEHEIGHT", 30);
  if (data.TitleHeight == 0) data.TitleHeight = 30;
  data.MaxHeight = Read16(ini, "MAXHEIGHT", 0);
  if (data.MaxHeight == 0) data.MaxHeight = data.TitleHeight;
  data.FormOffset = Read16(ini, "FORMOFFSET", system.SizingFrameWidth);
  data.CenterOffset = Read16(ini, "CENTEROFFSET", 0);
  data.BorderMode = Read16(ini, "BORDERMODE", 0);
  data.AlignOffset = Read16(ini, "ALIGNOFFSET", 0);
  auto alignSide = [&](std::string_view key) {
    std::int16_t value = Read16(ini, key, -1);
    return value == -1 ? data.AlignOffset : value;
  };
  data.AlignOffsetR = alignSide("ALIGNOFFSETR");
  data.AlignOffsetT = alignSide("ALIGNOFFSETT");
  data.AlignOffsetB = alignSide("ALIGNOFFSETB");
  data.BISpace = Read16(ini, "BISPACE", 0);
  data.BIVAlign = Read16(ini, "BIVALIGN", 0);
  data.BIRight = Read16(ini, "BIRIGHT", 0);
  data.BILeft = Read16(ini, "BILEFT", 0);
  data.BITop = Read16(ini, "BITOP", 0);
  data.BIKeepHue = Read16(ini, "BIKEEPHUE", 0);
  data.CloseButtonGlow = ReadStrict16(ini, "BICONCLOSEGLOW", "0");
  data.CloseButtonGlowMargin = ReadStrict16(ini, "BICONCLOSEGLOWMARGIN", "0");
  data.MaxButtonGlow = ReadStrict16(ini, "BICONMAXGLOW", "0");
  data.MaxButtonGlowMargin = ReadStrict16(ini, "BICONMAXGLOWMARGIN", "0");
  data.MinButtonGlow = ReadStrict16(ini, "BICONMINGLOW", "0");
  data.MinButtonGlowMargin = ReadStrict16(ini, "BICONMINGLOWMARGIN", "0");
  data.AeroBlur = ini.ReadInteger(kGlobal, "AEROBLUR", 0) != 0;
  return data;
}

TsPalette BuildPalette(const TsIniText& ini, const TsGeneralDataArray& records, const TsSystemInfo& system) {
  TsPalette p{};
  auto global = [&](std::string_view key, TColor fallback) { return TColor{ini.ReadInteger(kGlobal, key, ColorValue(fallback))}; };
  p[pcMainColor] = global("COLOR", system.ToRgb(SystemColorId(kSysBtnFace)));
  p[pcLabelText] = global("FONTCOLOR", TColor{0});
  p[pcBorderBottom] = global("TCBOTTOM", TColor{0xFF0000});
  p[pcBorderTop] = global("TCTOP", TColor{255});

  const TsGeneralData* edit = RecordNamed(records, "EDIT");
  p[pcEditText] = edit != nullptr ? edit->StateProps[kStateNormal].FontColors[0] : system.ToRgb(SystemColorId(kSysWindowText));
  p[pcEditBG] = edit != nullptr ? edit->StateProps[kStateNormal].Color : system.ToRgb(SystemColorId(kSysWindow));

  p[pcSelectionBG] = p[pcSelectionText] = p[pcSelectionBGHot] = p[pcSelectionTextHot] = kNoColor;
  if (const TsGeneralData* selection = RecordNamed(records, "SELECTION")) {
    // State 1 is a copy of state 0 when the section has fewer than two states.
    p[pcSelectionBG] = selection->StateProps[kStateNormal].Color;
    p[pcSelectionText] = selection->StateProps[kStateNormal].FontColors[0];
    p[pcSelectionBGHot] = selection->StateProps[kStateHot].Color;
    p[pcSelectionTextHot] = selection->StateProps[kStateHot].FontColors[0];
  }
  if (p[pcSelectionText] == kNoColor || p[pcSelectionText] == kKeyColor) {
    if (const TsGeneralData* menuItem = RecordNamed(records, "MENUITEM")) {
      TColor text = menuItem->HotFontColors[0];
      p[pcSelectionBG] = p[pcSelectionBGHot] = menuItem->HotColor;
      p[pcSelectionText] = text == kNoColor || text == kKeyColor ? SystemColorId(kSysHighlightText) : system.ToRgb(text);
      p[pcSelectionTextHot] = p[pcSelectionText];
    } else {
      p[pcSelectionText] = p[pcSelectionTextHot] = SystemColorId(kSysHighlightText);
      p[pcSelectionBG] = p[pcSelectionBGHot] = SystemColorId(kSysHighlight);
    }
  }

  p[pcEditBG_Inverted] = global("EDITBG_INV", p[pcEditText]);
  p[pcEditText_Inverted] = global("EDITTEXT_INV", p[pcEditBG]);
  p[pcEditBG_OddRow] = global("EDITBG_ODD", p[pcEditBG]);
  p[pcEditBG_EvenRow] = global("EDITBG_EVEN", MixColors(system.ToRgb(p[pcEditText]), system.ToRgb(p[pcEditBG]), 0.05));
  p[pcEditText_Ok] = global("EDITTEXT_OK", TColor{0x8000});
  p[pcEditText_Warning] = global("EDITTEXT_WARN", TColor{33924});
  p[pcEditText_Alert] = global("EDITTEXT_ALERT", TColor{255});
  // The caution and bypassed colours have no keys of their own: they follow the alert
  // colour when a skin gives one.
  const bool textAlert = ini.Find(kGlobal, "EDITTEXT_ALERT") != nullptr;
  p[pcEditText_Caution] = textAlert ? p[pcEditText_Alert] : TColor{8755161};
  p[pcEditText_Bypassed] = textAlert ? p[pcEditText_Alert] : TColor{4895375};
  p[pcEditBG_Ok] = global("EDITBG_OK", TColor{7127717});
  p[pcEditBG_Warning] = global("EDITBG_WARN", TColor{0x40FFFF});
  p[pcEditBG_Alert] = global("EDITBG_ALERT", TColor{9807849});
  const bool backgroundAlert = ini.Find(kGlobal, "EDITBG_ALERT") != nullptr;
  p[pcEditBG_Caution] = backgroundAlert ? p[pcEditBG_Alert] : TColor{8755161};
  p[pcEditBG_Bypassed] = backgroundAlert ? p[pcEditBG_Alert] : TColor{4895375};
  p[pcEditText_Highlight1] = global("EDITTEXT_H1", TColor{0});
  p[pcEditText_Highlight2] = global("EDITTEXT_H2", TColor{0});
  p[pcEditText_Highlight3] = global("EDITTEXT_H3", TColor{0});
  p[pcBorder] = global("BORDERCOLOR", TColor{0});
  return p;
}

}  // namespace klarvik
