#include <gtest/gtest.h>

#include <string>

#include "skin/definition/gradient_texts.h"
#include "skin/definition/value_parsing.h"
#include "skin/skin_error.h"
#include "tests/skin_core/definition_fixture.h"

namespace klarvik {

using namespace definition_fixture;

namespace {

TEST(DefinitionSections, RecordsInWrittenOrderWithTheirDefaults) {
  const TsSkinTables t = Load("[GLOBALINFO]\n[FORM]\n[BUTTON]\nSTATES=2\n");
  ASSERT_EQ(t.Sections.size(), 3u);
  EXPECT_EQ(t.Sections[1].SectionName, "FORM");
  const TsGeneralData& form = t.Sections[1];
  EXPECT_EQ(form.States, 3);
  EXPECT_EQ(form.Color, TColor{0xFFFFFF});
  EXPECT_EQ(form.FontColors, (std::array<TColor, 5>{TColor{0}, TColor{-1}, TColor{-1}, TColor{-1}, TColor{-1}}));
  EXPECT_EQ(form.GradientData, " ");
  EXPECT_EQ(form.FadingIterations, 5);
  EXPECT_TRUE(form.ShowFocus);
  EXPECT_EQ(form.HotColor, TColor{0xFFFFFF});
  EXPECT_EQ(form.HotFontColors, (std::array<TColor, 5>{TColor{0}, TColor{-1}, TColor{-1}, TColor{-1}, TColor{-1}}));
  EXPECT_EQ(form.GlowColor, TColor{0xFFFFFF});
  EXPECT_EQ(form.BorderMaskIndex, -1);
  EXPECT_EQ(form.CornerIndexes, (std::array<int, 4>{-1, -1, -1, -1}));
  EXPECT_EQ(form.StateProps[kStateNormal].TextureIndex, -1);
  // [GLOBALINFO] gets no image indexes of its own.
  EXPECT_EQ(t.Sections[0].BorderMaskIndex, 0);
  EXPECT_EQ(t.Sections[0].TextureIndex, 0);
  EXPECT_EQ(t.Sections[0].CornerIndexes, (std::array<int, 4>{-1, -1, -1, -1}));
}

TEST(DefinitionSections, KeysComeThroughTheParentChain) {
  const TsSkinTables t = Load(
      "[BASE]\nCOLOR=3487288\nFONTCOLOR=$FF00000E\nGIVEOWNFONT=TRUE\nGRADIENTDATA=1;2;3;4;5\nTCLEFT=77\n"
      "[MIDDLE]\nPARENTCLASS=BASE\nGLOW=4\nTCLEFT=-1\n"
      "[CHILD]\nPARENTCLASS=MIDDLE\nCOLOR=-1\nGLOW=9\n"
      "[SELF]\nPARENTCLASS=SELF\nCOLOR=12\n"
      "[ORPHAN]\nPARENTCLASS=MISSING\n");
  const TsGeneralData& child = Section(t, "CHILD");
  EXPECT_EQ(child.ParentClass, "MIDDLE");
  EXPECT_EQ(child.Color, TColor{3487288});  // an explicit -1 counts as absent
  EXPECT_EQ(child.Glow, 9);
  EXPECT_TRUE(child.GiveOwnFont);
  EXPECT_EQ(child.FontColors[1], TColor{77});
  EXPECT_EQ(child.GradientData, "1;2;3;4;5");
  ASSERT_EQ(child.GradientArray->size(), 1u);
  // An inherited system colour (highlight text, index 14) is turned into its RGB value; the
  // section that gives it keeps the identifier.
  EXPECT_EQ(child.FontColors[0], ClassicSystemInfo().SystemColor(0x0E));
  EXPECT_EQ(Section(t, "BASE").FontColors[0], static_cast<TColor>(0xFF00000E));
  EXPECT_EQ(Section(t, "SELF").Color, TColor{12});
  EXPECT_EQ(Section(t, "ORPHAN").Color, TColor{0xFFFFFF});
  EXPECT_EQ(Section(t, "ORPHAN").ParentClass, "MISSING");
}

TEST(DefinitionSections, OwnSystemColoursStayIdentifiersAndTheLoadKeepsTheirResolver) {
  TsLoadSettings settings;
  settings.System.SystemColor = [](int index) { return TColor{index == 15 ? 0xCCBBAA : 0}; };
  const TsSkinTables t = Load("[BUTTON]\nSTATES=2\nHOTCOLOR=$FF00000F\n", MemoryFiles(), settings);
  const TColor hot = Section(t, "BUTTON").StateProps[kStateHot].Color;
  EXPECT_EQ(hot, SystemColorId(15));
  EXPECT_EQ(t.ColorRef(hot), TColor{0xCCBBAA});
  EXPECT_EQ(t.ColorRef(TColor{0x123456}), TColor{0x123456});
}

TEST(DefinitionSections, ParentLoopsEndWithTheDefault) {
  struct Case {
    const char* name;
    const char* text;
  };
  const Case cases[] = {
      {"two", "[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=A\n"},
      {"three", "[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\n[C]\nPARENTCLASS=A\n"},
      {"tail", "[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\n[C]\nPARENTCLASS=B\n"},
  };
  for (const Case& c : cases) {
    const TsSkinTables t = Load(c.text);
    const TsGeneralData& a = Section(t, "A");
    EXPECT_EQ(a.Color, TColor{0xFFFFFF}) << c.name;
    EXPECT_EQ(a.GradientData, " ") << c.name;
    EXPECT_FALSE(a.FadingEnabled) << c.name;
    EXPECT_EQ(t.IndexOfMask(0, "A", "BORDERSMASK"), -1) << c.name;
  }
}

TEST(DefinitionSections, LongParentChainsAreFollowedToALimit) {
  std::string text;
  const int length = kMaxParentDepth + 20;
  for (int i = 0; i < length; ++i) text += "[S" + std::to_string(i) + "]\nPARENTCLASS=S" + std::to_string(i + 1) + "\n";
  text += "[S" + std::to_string(length) + "]\nCOLOR=5\n";
  const TsSkinTables t = Load(text);
  EXPECT_EQ(Section(t, "S" + std::to_string(length - kMaxParentDepth + 1)).Color, TColor{5});
  EXPECT_EQ(Section(t, "S" + std::to_string(length - kMaxParentDepth)).Color, TColor{0xFFFFFF});
  EXPECT_EQ(Section(t, "S0").Color, TColor{0xFFFFFF});
}

TEST(DefinitionSections, OneStateCopiesStateZeroAndLeavesHotKeysUnread) {
  const TsSkinTables t = Load(
      "[ONE]\nSTATES=1\nCOLOR=100\nFONTCOLOR=5\nGRADIENTDATA=1;2;3;4;5\nGRADIENTPERCENT=40\nHOTCOLOR=200\n"
      "HOTGRADIENTDATA=9;9;9;9;9\n"
      "[ZERO]\nSTATES=0\nHOTCOLOR=200\n"
      "[TWO]\nSTATES=2\nCOLOR=100\nHOTCOLOR=200\nHOTFONTCOLOR=6\nHOTGRADIENTDATA=9;8;7;6;5\n");
  for (const char* name : {"ONE", "ZERO"}) {
    const TsGeneralData& s = Section(t, name);
    EXPECT_EQ(s.States, 1) << name;  // at least one state, so state indexes stay in range
    EXPECT_EQ(s.HotColor, TColor{0}) << name;
    EXPECT_EQ(s.HotGradientData, "") << name;
    EXPECT_EQ(s.StateProps[kStateHot].Color, s.StateProps[kStateNormal].Color) << name;
    EXPECT_EQ(s.StateProps[kStateHot].GradientArray, s.GradientArray) << name;
  }
  const TsGeneralData& one = Section(t, "ONE");
  EXPECT_EQ(one.StateProps[kStateHot].Color, TColor{100});
  EXPECT_EQ(one.StateProps[kStateHot].FontColors[0], TColor{5});
  EXPECT_EQ(one.StateProps[kStateHot].GradientPercent, 40);

  const TsGeneralData& two = Section(t, "TWO");
  EXPECT_EQ(two.StateProps[kStateNormal].Color, TColor{100});
  EXPECT_EQ(two.StateProps[kStateHot].Color, TColor{200});
  EXPECT_EQ(two.StateProps[kStateHot].FontColors[0], TColor{6});
  // The states share their gradient steps with the flat fields.
  EXPECT_EQ(two.StateProps[kStateNormal].GradientArray, two.GradientArray);
  EXPECT_EQ(two.StateProps[kStateHot].GradientArray, two.HotGradientArray);
  (*two.HotGradientArray)[0].Color1 = TColor{1};
  EXPECT_EQ((*two.StateProps[kStateHot].GradientArray)[0].Color1, TColor{1});
}

TEST(DefinitionSections, ValuesThatLaterCodeIndexesAreClamped) {
  const TsSkinTables t = Load(
      "[S]\nTRANSPARENCY=150\nGRADIENTPERCENT=-3\nIMAGEPERCENT=101\nFADINGITERATIONS=1000\nSTATES=-4\n"
      "GSIZE=513\n"
      "[T]\nSTATES=2\nHOTTRANSPARENCY=-1000\nHOTGRADIENTPERCENT=900\nHOTGRADIENTDATA=1;2;3;4;5\nHOTIMAGEPERCENT=100\n"
      "FADINGITERATIONS=-2\nHGSIZE=258\n");
  const TsGeneralData& s = Section(t, "S");
  EXPECT_EQ(s.Transparency, 100);
  EXPECT_EQ(s.GradientPercent, 0);
  EXPECT_EQ(s.ImagePercent, 100);
  EXPECT_EQ(s.FadingIterations, 255);
  EXPECT_EQ(s.States, 1);
  EXPECT_EQ(s.GlowSize, 1);  // 8-bit fields keep the low byte
  const TsGeneralData& u = Section(t, "T");
  EXPECT_EQ(u.HotTransparency, 0);
  EXPECT_EQ(u.HotGradientPercent, 100);
  EXPECT_EQ(u.HotImagePercent, 100);
  EXPECT_EQ(u.FadingIterations, 0);
  EXPECT_EQ(u.HotGlowSize, 2);
  EXPECT_EQ(u.StateProps[kStateHot].Transparency, 0);
}

TEST(DefinitionSections, ShortGradientTextMeansNoGradient) {
  const TsSkinTables t = Load(
      "[S]\nGRADIENTPERCENT=50\nGRADIENTDATA=0\n"
      "[T]\nGRADIENTPERCENT=50\nGRADIENTDATA=3487288;1513239;97;0;0;1513239;1513239;0;0;0\n");
  EXPECT_EQ(Section(t, "S").GradientPercent, 0);
  EXPECT_TRUE(Section(t, "S").GradientArray->empty());
  EXPECT_EQ(Section(t, "S").StateProps[kStateNormal].GradientPercent, 0);
  EXPECT_EQ(Section(t, "T").GradientPercent, 50);
  EXPECT_EQ(*Section(t, "T").GradientArray, (TsGradArray{{TColor{3487288}, TColor{1513239}, 97, 0}, {TColor{1513239}, TColor{1513239}, 0, 0}}));
}

TEST(DefinitionSections, StrictValuesFailTheLoad) {
  const char* cases[] = {
      "[S]\nGRADIENTDATA=1;2;x;4;5\n",
      "[S]\nSTATES=2\nHOTGRADIENTDATA=1;2;3;;5\n",
      "[GLOBALINFO]\nSHADOW1OFFSET=two\n",
      "[GLOBALINFO]\nSHADOW1BLUR=\n",
      "[GLOBALINFO]\nBICONMINGLOWMARGIN=1.5\n",
  };
  for (const char* text : cases) EXPECT_THROW(Load(text), ESkinConvertError) << text;
}

// One gradient text, `steps` steps long, padded with blanks inside its words to about
// `bytes` characters.
std::string GradientText(int steps, std::size_t bytes = 0) {
  std::string text;
  const std::string pad(steps > 0 ? bytes / (static_cast<std::size_t>(steps) * 5) : 0, ' ');
  for (int i = 0; i < steps; ++i) text += pad + "1;" + pad + "2;" + pad + "30;" + pad + "0;" + pad + "0;";
  return text;
}

TEST(DefinitionSections, AnInheritedGradientIsKeptAndParsedOnce) {
  // A megabyte of gradient inherited by thousands of sections costs its size once, not
  // once per section and state.
  std::string text = "[BASE]\nSTATES=2\nGRADIENTDATA=" + GradientText(3, 1 << 20) + "\nHOTGRADIENTDATA=" + GradientText(2) + "\n";
  constexpr int kChildren = 2000;
  for (int i = 0; i < kChildren; ++i) text += "[C" + std::to_string(i) + "]\nPARENTCLASS=BASE\n";
  text += "[MINE]\nPARENTCLASS=BASE\nGRADIENTDATA=" + GradientText(1) + "\n";
  TsLoadSettings overlay;
  overlay.CommonSections = {"[C7]", "HOTGRADIENTDATA=" + GradientText(4)};
  const TsSkinTables t = Load(text, MemoryFiles(), overlay);

  const TsGeneralData& base = Section(t, "BASE");
  ASSERT_EQ(base.GradientArray->size(), 3u);
  for (int i = 0; i < kChildren; ++i) {
    const TsGeneralData& child = Section(t, "C" + std::to_string(i));
    ASSERT_TRUE(child.GradientData.SharesBufferWith(base.GradientData)) << i;
    ASSERT_EQ(child.GradientArray, base.GradientArray) << i;
    ASSERT_EQ(child.StateProps[kStateNormal].GradientArray, base.GradientArray) << i;
    ASSERT_TRUE(child.StateProps[kStateNormal].GradientData.SharesBufferWith(base.GradientData)) << i;
    if (i != 7) {
      ASSERT_EQ(child.HotGradientArray, base.HotGradientArray) << i;
    }
  }
  // A section or an overlay that gives its own gradient gets its own steps.
  EXPECT_EQ(Section(t, "MINE").GradientArray->size(), 1u);
  EXPECT_EQ(Section(t, "C7").HotGradientArray->size(), 4u);
  EXPECT_EQ(Section(t, "C7").StateProps[kStateHot].GradientArray, Section(t, "C7").HotGradientArray);
  EXPECT_EQ(Section(t, "C7").GradientArray, base.GradientArray);
}

TEST(DefinitionSections, GradientsPastTheirCapsFailTheLoad) {
  std::string manyGradients;
  for (std::size_t i = 0; i <= kMaxGradientStepsPerLoad / kMaxGradientSteps; ++i) {
    manyGradients += "[S" + std::to_string(i) + "]\nGRADIENTDATA=" + GradientText(static_cast<int>(kMaxGradientSteps)) + "\n";
  }
  struct Case {
    const char* name;
    std::string definition;
  } cases[] = {
      {"one gradient with too many steps", "[S]\nGRADIENTDATA=" + GradientText(static_cast<int>(kMaxGradientSteps) + 1) + "\n"},
      {"a hot gradient with too many steps",
       "[S]\nSTATES=2\nHOTGRADIENTDATA=" + GradientText(static_cast<int>(kMaxGradientSteps) + 1) + "\n"},
      {"too many steps in the load together", manyGradients},
  };
  for (const Case& c : cases) EXPECT_THROW(Load(c.definition), ESkinConvertError) << c.name;
  // The largest allowed gradient loads.
  EXPECT_EQ(Section(Load("[S]\nGRADIENTDATA=" + GradientText(static_cast<int>(kMaxGradientSteps)) + "\n"), "S")
                .GradientArray->size(),
            kMaxGradientSteps);
}

TEST(DefinitionSections, GlobalValues) {
  const TsSkinTables defaults = Load("[GLOBALINFO]\n");
  EXPECT_EQ(defaults.SkinData.TitleHeight, 30);
  EXPECT_EQ(defaults.SkinData.MaxHeight, 30);
  EXPECT_EQ(defaults.SkinData.BorderWidth, 4);
  EXPECT_EQ(defaults.SkinData.Shadow1Blur, -1);
  EXPECT_EQ(defaults.SkinData.FormOffset, ClassicSystemInfo().SizingFrameWidth);

  TsLoadSettings settings;
  settings.SkinFolder = "C:\\Skins\\Mine\\";
  const TsSkinTables t = Load(
      "[GLOBALINFO]\nVERSION=8.40\nAUTHOR=Someone\nTITLEHEIGHT=0\nMAXHEIGHT=0\nALIGNOFFSET=3\nALIGNOFFSETT=7\n"
      "SHADOW1OFFSET=0002\nSHADOW1BLUR=-0\nBICONCLOSEGLOW=70000\nBORDERWIDTH=-70000\nAEROBLUR=2\nFORMOFFSET=9\n",
      MemoryFiles(), settings);
  const TsSkinData& g = t.SkinData;
  EXPECT_DOUBLE_EQ(g.Version, 8.4);
  EXPECT_EQ(g.Author, "Someone");
  EXPECT_EQ(g.SkinFolder, "C:\\Skins\\Mine\\");
  EXPECT_EQ(g.TitleHeight, 30);
  EXPECT_EQ(g.MaxHeight, 30);
  EXPECT_EQ(g.AlignOffsetR, 3);
  EXPECT_EQ(g.AlignOffsetT, 7);
  EXPECT_EQ(g.AlignOffsetB, 3);
  EXPECT_EQ(g.Shadow1Offset, 2);
  EXPECT_EQ(g.Shadow1Blur, 0);
  EXPECT_EQ(g.CloseButtonGlow, 32767);  // kept in range instead of wrapping
  EXPECT_EQ(g.BorderWidth, -32768);
  EXPECT_TRUE(g.AeroBlur);
  EXPECT_EQ(g.FormOffset, 9);
  EXPECT_FALSE(g.Active);
}

TEST(DefinitionSections, PaletteFromGlobalsEditAndSelection) {
  const TsSystemInfo system = ClassicSystemInfo();
  const TsSkinTables bare = Load("[GLOBALINFO]\n");
  EXPECT_EQ(bare.Palette[pcMainColor], system.SystemColor(kSysBtnFace));
  EXPECT_EQ(bare.Palette[pcEditText], system.SystemColor(kSysWindowText));
  EXPECT_EQ(bare.Palette[pcEditBG], system.SystemColor(kSysWindow));
  EXPECT_EQ(bare.Palette[pcSelectionText], SystemColorId(kSysHighlightText));
  EXPECT_EQ(bare.Palette[pcSelectionTextHot], SystemColorId(kSysHighlightText));
  EXPECT_EQ(bare.Palette[pcSelectionBG], SystemColorId(kSysHighlight));
  EXPECT_EQ(bare.Palette[pcBorderBottom], TColor{0xFF0000});
  EXPECT_EQ(bare.Palette[pcEditText_Caution], TColor{8755161});
  EXPECT_EQ(bare.Palette[pcEditBG_Bypassed], TColor{4895375});

  const TsSkinTables t = Load(
      "[GLOBALINFO]\nCOLOR=1\nEDITTEXT_ALERT=42\nEDITBG_ALERT=43\nBORDERCOLOR=44\n"
      "[EDIT]\nCOLOR=0x0000C8\nFONTCOLOR=0x640000\n"
      "[SELECTION]\nSTATES=1\nCOLOR=11\nFONTCOLOR=12\n");
  const TsPalette& p = t.Palette;
  EXPECT_EQ(p[pcMainColor], TColor{1});
  EXPECT_EQ(p[pcEditText], TColor{0x640000});
  EXPECT_EQ(p[pcEditBG], TColor{0x0000C8});
  EXPECT_EQ(p[pcEditBG_Inverted], TColor{0x640000});
  EXPECT_EQ(p[pcEditText_Inverted], TColor{0x0000C8});
  EXPECT_EQ(p[pcEditBG_OddRow], TColor{0x0000C8});
  // 5 % of the edit text colour, 95 % of the edit background: blue 0.05*100 = 5, red 0.95*200 = 190.
  EXPECT_EQ(p[pcEditBG_EvenRow], TColor{0x0500BE});
  EXPECT_EQ(p[pcSelectionBG], TColor{11});
  EXPECT_EQ(p[pcSelectionText], TColor{12});
  EXPECT_EQ(p[pcSelectionBGHot], TColor{11});  // one state: the hot entries are state 0's
  EXPECT_EQ(p[pcSelectionTextHot], TColor{12});
  EXPECT_EQ(p[pcEditText_Caution], TColor{42});
  EXPECT_EQ(p[pcEditText_Bypassed], TColor{42});
  EXPECT_EQ(p[pcEditBG_Caution], TColor{43});
  EXPECT_EQ(p[pcBorder], TColor{44});
}

TEST(DefinitionSections, SelectionFallsBackToTheMenuItem) {
  struct Case {
    const char* text;
    TColor background, text0, text1;
  };
  const TColor highlightText = SystemColorId(kSysHighlightText);
  const Case cases[] = {
      {"[SELECTION]\nFONTCOLOR=$FF00FF\n[MENUITEM]\nSTATES=2\nHOTCOLOR=21\nHOTFONTCOLOR=22\n", TColor{21}, TColor{22}, TColor{22}},
      {"[SELECTION]\nFONTCOLOR=$FF00FF\n[MENUITEM]\nSTATES=2\nHOTCOLOR=21\nHOTFONTCOLOR=$FF00FF\n", TColor{21}, highlightText, highlightText},
      {"[MENUITEM]\nSTATES=2\nHOTCOLOR=21\nHOTFONTCOLOR=$FF00000F\n", TColor{21}, ClassicSystemInfo().SystemColor(15), ClassicSystemInfo().SystemColor(15)},
  };
  for (const Case& c : cases) {
    const TsPalette p = Load(c.text).Palette;
    EXPECT_EQ(p[pcSelectionBG], c.background) << c.text;
    EXPECT_EQ(p[pcSelectionBGHot], c.background) << c.text;
    EXPECT_EQ(p[pcSelectionText], c.text0) << c.text;
    EXPECT_EQ(p[pcSelectionTextHot], c.text1) << c.text;
  }
}

TEST(DefinitionSections, OverlayOverridesAndAddsSections) {
  TsLoadSettings settings;
  settings.CommonSections = PrepareCommonSections({
      "[ BUTTON ]", "COLOR = 5", "FONTCOLOR=not a number", "; a comment keeps its blanks",
      "[NEWCHILD]", "PARENTCLASS=button", "GLOW=3",
      "[NEWPLAIN]", "SHOWFOCUS=1",
      "[NEWFADING]", "FADINGITERATIONS=300",
      "[GLOBALINFO]", "COLOR=99",
  });
  EXPECT_EQ(settings.CommonSections[0], "[BUTTON]");
  EXPECT_EQ(settings.CommonSections[3], "; a comment keeps its blanks");
  const TsSkinTables t = Load("[GLOBALINFO]\nCOLOR=7\n[BUTTON]\nCOLOR=1\nFONTCOLOR=8\nSHOWFOCUS=0\n", MemoryFiles(), settings);
  ASSERT_EQ(t.Sections.size(), 5u);
  const TsGeneralData& button = Section(t, "BUTTON");
  EXPECT_EQ(button.Color, TColor{5});
  EXPECT_EQ(button.StateProps[kStateNormal].Color, TColor{5});
  EXPECT_EQ(button.FontColors[0], TColor{8});  // an unreadable overlay value keeps the record's
  EXPECT_TRUE(button.ShowFocus);       // a definition's SHOWFOCUS has no effect

  const TsGeneralData& child = Section(t, "NEWCHILD");  // starts from the record it names
  EXPECT_EQ(child.Color, TColor{5});
  EXPECT_EQ(child.FontColors[0], TColor{8});
  EXPECT_EQ(child.Glow, 3);
  const TsGeneralData& plain = Section(t, "NEWPLAIN");  // starts from the overlay defaults
  EXPECT_EQ(plain.FontColors[0], TColor{-1});
  EXPECT_EQ(plain.HotFontColors[0], TColor{-1});
  EXPECT_TRUE(plain.ShowFocus);
  EXPECT_FALSE(plain.FadingEnabled);
  EXPECT_EQ(plain.FadingIterations, -1) << "left out, it stays \"inherit\"";
  EXPECT_EQ(Section(t, "NEWFADING").FadingIterations, 255);  // given, it is limited
  EXPECT_EQ(t.Palette[pcMainColor], TColor{7});  // [GLOBALINFO] of the overlay is left alone
  EXPECT_EQ(Section(t, "GLOBALINFO").Color, TColor{7});
}

}  // namespace

}  // namespace klarvik
