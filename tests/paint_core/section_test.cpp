#include "paint/primitives/section_item.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "paint/primitives/bitmap_ops.h"
#include "tests/paint_core/paint_test_support.h"

namespace klarvik {

namespace {

using namespace paint_test;

SectionPaint Paint(const TsSkinTables& t, int section, TacParentCache parent = {}) {
  SectionPaint p;
  p.tables = &t;
  p.section = section;
  p.parent = parent;
  return p;
}

int ChannelOf(std::uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }

// A master bitmap with a flat 10 x 10 texture of grey 200 at (0, 0).
TsSkinTables TablesWithTexture(int fillMode) {
  TsSkinTables t = TablesWithMaster(Filled(10, 10, 0xFFC8C8C8));
  t.Masks.push_back(Entry({0, 0, 10, 10}, 1, 0, fillMode, 0, 0, 0, 0));
  return t;
}

TEST(PaintSectionBackground, LayersContributeTheirShares) {
  struct Case {
    const char* name;
    Look look;
    int fillMode;
    int grey;  // expected grey level of every channel
  };
  const std::string grey100 = "6579300;6579300;100;0;0";  // 0x646464, the whole height
  const Case cases[] = {
      {"texture 30, gradient 50, colour 20", {TColor{0}, 0, 30, 50, grey100, 0}, 0, 110},  // 60 + 50 + 0
      {"texture 70, gradient 30 in one pass", {TColor{0}, 0, 70, 30, grey100, 0}, 0, 170},
      {"texture 70, gradient 60 is capped at 30", {TColor{0}, 0, 70, 60, grey100, 0}, 0, 170},
      {"gradient 40 alone fades to the colour", {TColor{0x000000}, 0, 0, 40, grey100, -1}, 0, 40},
      {"texture 100", {TColor{0}, 0, 100, 0, "", 0}, 0, 200},
      {"colour only", {TColor{0x5A5A5A}, 0, 0, 0, "", -1}, 0, 90},
      {"texture share without a texture goes to the colour", {TColor{0x5A5A5A}, 0, 50, 0, "", -1}, 0, 90},
      {"gradient share with an empty gradient paints the colour", {TColor{0x5A5A5A}, 0, 0, 50, "", -1}, 0, 90},
  };
  for (const auto& c : cases) {
    TsSkinTables t = TablesWithTexture(c.fillMode);
    t.Sections.push_back(Section("PANEL", c.look));
    SkinBitmap b = Filled(20, 20, 0);
    PaintSectionBackground(b.View(), {0, 0, 20, 20}, Paint(t, 0));
    for (int shift = 0; shift < 24; shift += 8) {
      EXPECT_NEAR(ChannelOf(Px(b, 13, 7), shift), c.grey, 1) << c.name;
    }
    EXPECT_EQ(Px(b, 13, 7) >> 24, 0xFFu) << c.name;
  }
}

TEST(PaintSectionBackground, AClippedRectangleShowsItsPartOfTheWholePicture) {
  // Painted into a small bitmap that the rectangle overhangs on every side, every look
  // must show exactly the matching part of the same rectangle painted whole.
  struct Case {
    const char* name;
    Look look;
    int fillMode;
  };
  const std::string vertical = "255;16711680;60;0;0;16711680;65280;40;0;0";
  const Case cases[] = {
      {"vertical gradient", {TColor{0}, 0, 0, 100, vertical, -1}, 0},
      {"horizontal gradient", {TColor{0}, 0, 0, 100, "255;16711680;100;1;0", -1}, 0},
      {"triangles", {TColor{0}, 0, 0, 100, "255;0;0;2;0;65280;0;0;2;0;16711680;0;0;2;0", -1}, 0},
      {"tiled texture", {TColor{0}, 0, 100, 0, "", 0}, 0},
      {"stretched texture", {TColor{0}, 0, 100, 0, "", 0}, 1},
      {"texture row over the colour", {TColor{0x204060}, 0, 100, 0, "", 0}, 6},
      {"texture and gradient in one pass", {TColor{0}, 0, 70, 30, vertical, 0}, 0},
      {"texture, gradient and colour", {TColor{0x204060}, 0, 30, 50, vertical, 0}, 2},
      {"gradient over a ready parent", {TColor{0x204060}, 40, 0, 100, vertical, -1}, 0},
      {"texture over a ready parent", {TColor{0x204060}, 40, 60, 0, "", 0}, 0},
  };
  const SkinBitmap parentPicture = Random(60, 60, 5);
  for (const Case& c : cases) {
    TsSkinTables t = TablesWithMaster(Random(7, 5, 3));
    t.Masks.push_back(Entry({0, 0, 7, 5}, 1, 0, c.fillMode, 0, 0, 0, 0));
    t.Sections.push_back(Section("PANEL", c.look));
    TacParentCache parent;
    parent.Image = ConstView(parentPicture);
    parent.Ready = true;

    SkinBitmap whole = Filled(30, 30, 0);
    parent.OffsetX = parent.OffsetY = 5;
    PaintSectionBackground(whole.View(), {0, 0, 30, 30}, Paint(t, 0, parent));

    // The same rectangle moved 10 left and 8 up over a 12 x 12 bitmap.
    SkinBitmap part = Filled(12, 12, 0);
    parent.OffsetX = 15;
    parent.OffsetY = 13;
    PaintSectionBackground(part.View(), {-10, -8, 20, 22}, Paint(t, 0, parent));
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 12; ++x) ASSERT_EQ(Px(part, x, y), Px(whole, x + 10, y + 8)) << c.name << " at " << x << ", " << y;
    }
  }
}

TEST(PaintSectionBackground, ModeFourStretchesTheTopStripAndColoursTheRest) {
  TsSkinTables t = TablesWithMaster(Filled(10, 10, 0xFFC8C8C8));
  t.Masks.push_back(Entry({0, 0, 10, 10}, 1, 0, 4, 0, 0, 0, 0));
  t.Sections.push_back(Section("PANEL", {TColor{0x000080}, 0, 100, 0, "", 0}));
  SkinBitmap b = Filled(30, 50, 0);
  PaintSectionBackground(b.View(), {0, 0, 30, 50}, Paint(t, 0));
  for (int y = 0; y < 50; ++y) EXPECT_EQ(Px(b, 15, y), y < 10 ? 0xFFC8C8C8u : 0xFF800000u) << y;
}

TEST(PaintSectionBackground, FullTransparencyShowsTheParent) {
  TsSkinTables t = TablesWithMaster(Filled(1, 1, 0));
  t.Sections.push_back(Section("PANEL", Plain(TColor{0x123456}, 100)));
  const SkinBitmap parent = Random(40, 40, 8);

  TacParentCache ready;
  ready.Image = ConstView(parent);
  ready.OffsetX = 5;
  ready.OffsetY = 6;
  ready.Ready = true;
  SkinBitmap b = Filled(20, 20, 0);
  PaintSectionBackground(b.View(), {2, 3, 12, 13}, Paint(t, 0, ready));
  for (int y = 3; y < 13; ++y) {
    for (int x = 2; x < 12; ++x) ASSERT_EQ(Px(b, x, y), Px(parent, x + 5, y + 6));
  }

  // Without a Ready cache: the parent's border strips come from its picture, the rest is
  // its colour.
  TacParentCache strips = ready;
  strips.Ready = false;
  strips.BorderLeft = 8;
  strips.FillColor = TColor{0x0000FF};
  SkinBitmap s = Filled(20, 20, 0);
  PaintSectionBackground(s.View(), {0, 0, 10, 10}, Paint(t, 0, strips));
  EXPECT_EQ(Px(s, 2, 5), Px(parent, 7, 11));  // parent x 7 lies in its 8-pixel left strip
  EXPECT_EQ(Px(s, 3, 5), 0xFFFF0000u);        // parent x 8 does not
}

TEST(PaintSectionBackground, PartialTransparencyBlendsOverTheParent) {
  TsSkinTables t = TablesWithMaster(Filled(1, 1, 0));
  t.Sections.push_back(Section("PANEL", Plain(TColor{0x000000}, 40)));
  TacParentCache colourOnly;
  colourOnly.FillColor = TColor{0x646464};  // grey 100
  SkinBitmap b = Filled(10, 10, 0);
  PaintSectionBackground(b.View(), {0, 0, 10, 10}, Paint(t, 0, colourOnly));
  EXPECT_EQ(Px(b, 5, 5), 0xFF282828u);  // MixColors(grey 100, black, 0.4) = 40

  const SkinBitmap parent = Filled(10, 10, 0xFF646464);
  TacParentCache ready;
  ready.Image = ConstView(parent);
  ready.Ready = true;
  SkinBitmap r = Filled(10, 10, 0);
  PaintSectionBackground(r.View(), {0, 0, 10, 10}, Paint(t, 0, ready));
  // k = nearest(40 × 2.55) = 102: (102·(100 − 0) + 0) >> 8 = 39.
  EXPECT_EQ(Px(r, 5, 5), 0xFF272727u);

  // A cache whose picture is not finished counts for its colour alone.
  TsSkinTables g = TablesWithMaster(Filled(1, 1, 0));
  g.Sections.push_back(Section("PANEL", {TColor{0x000000}, 50, 0, 100, "0;0;100;0;0", -1}));
  const SkinBitmap unfinished = Filled(10, 10, 0xFFFEFEFE);
  TacParentCache notReady;
  notReady.Image = ConstView(unfinished);
  notReady.FillColor = TColor{0x000000};
  SkinBitmap f = Filled(10, 10, 0x12345678);
  PaintSectionBackground(f.View(), {0, 0, 10, 10}, Paint(g, 0, notReady));
  EXPECT_EQ(Px(f, 5, 5), 0xFF000000u);

  // Nothing known of the parent: the layers are painted as they are.
  SkinBitmap n = Filled(10, 10, 0);
  TacParentCache unknown;
  unknown.FillColor = kKeyColor;
  PaintSectionBackground(n.View(), {0, 0, 10, 10}, Paint(t, 0, unknown));
  EXPECT_EQ(Px(n, 5, 5), 0xFF000000u);
}

TEST(PaintSectionBackground, CustomColourPaintsPlainAndOpaque) {
  TsSkinTables t = TablesWithTexture(0);
  t.Sections.push_back(Section("PANEL", {TColor{0}, 60, 30, 50, "6579300;6579300;100;0;0", 0}));
  TacParentCache colourOnly;
  colourOnly.FillColor = TColor{0xFFFFFF};
  SkinBitmap b = Filled(10, 10, 0);
  PaintSectionBackground(b.View(), {0, 0, 10, 10}, Paint(t, 0, colourOnly), TColor{0x336699});
  for (auto p : b.pixels) ASSERT_EQ(p, 0xFF996633u);
}

TEST(PaintSectionBackground, SystemColoursAreResolvedBeforeTheyBecomePixels) {
  // A desktop whose button face (index 15) is 0xCCBBAA and every other colour 0x010101.
  TsSkinTables t = TablesWithMaster(Filled(1, 1, 0));
  t.System.SystemColor = [](int index) { return TColor{index == 15 ? 0xCCBBAA : 0x010101}; };
  const TColor buttonFace = SystemColorId(15);
  TsGeneralData s = Section("BUTTON", Plain(TColor{0x000000}), 2);
  s.StateProps[1].Color = buttonFace;  // a section's own HOTCOLOR stays an identifier
  t.Sections.push_back(s);
  t.Sections.push_back(Section("CLEAR", Plain(TColor{0x000000}, 100)));
  t.Sections.push_back(Section("HAZE", Plain(TColor{0x000000}, 40)));
  TacParentCache faceParent;
  faceParent.FillColor = buttonFace;
  struct Case {
    const char* name;
    int section, state;
    TacParentCache parent;
    TColor customColor;
    std::uint32_t expected;
  } cases[] = {
      {"the hot state's own colour", 0, 1, {}, kKeyColor, 0xFFAABBCC},
      {"a custom colour", 0, 0, {}, buttonFace, 0xFFAABBCC},
      {"the parent's colour under a clear section", 1, 0, faceParent, kKeyColor, 0xFFAABBCC},
      // Each channel nearest(0.4 × parent): 0xAA → 68, 0xBB → 75, 0xCC → 82.
      {"the parent's colour under a hazy one", 2, 0, faceParent, kKeyColor, 0xFF444B52},
  };
  for (const Case& c : cases) {
    SkinBitmap b = Filled(4, 4, 0);
    SectionPaint p = Paint(t, c.section, c.parent);
    p.state = c.state;
    PaintSectionBackground(b.View(), {0, 0, 4, 4}, p, c.customColor);
    EXPECT_EQ(Px(b, 2, 2), c.expected) << c.name;
  }
}

TEST(PaintSectionBackground, StatesAreLimitedToTheSectionsStatesAndToTheHotRecord) {
  TsSkinTables t = TablesWithMaster(Filled(1, 1, 0));
  TsGeneralData s = Section("BUTTON", Plain(TColor{0x010101}), 3);
  s.StateProps[1].Color = TColor{0x020202};
  t.Sections.push_back(s);
  TsGeneralData one = s;
  one.States = 1;
  t.Sections.push_back(one);
  struct Case {
    int section, state;
    std::uint32_t expected;
  };
  const Case cases[] = {{0, 0, 0xFF010101}, {0, 1, 0xFF020202}, {0, 2, 0xFF020202}, {0, 7, 0xFF020202},
                        {1, 2, 0xFF010101}, {0, -3, 0xFF010101}};
  for (const auto& c : cases) {
    SkinBitmap b = Filled(4, 4, 0);
    SectionPaint p = Paint(t, c.section);
    p.state = c.state;
    PaintSectionBackground(b.View(), {0, 0, 4, 4}, p);
    EXPECT_EQ(Px(b, 1, 1), c.expected) << c.section << " state " << c.state;
  }
}

// A 30 x 12 master: a masked 6 x 6 border image (3 states' worth of one) at (0, 0) with its
// mask below, and a 3 x 3 red corner image with a magenta pixel at (20, 0).
TsSkinTables ItemTables() {
  SkinBitmap m = Filled(30, 12, 0);
  FillArea(m, 0, 0, 6, 6, 0xFF0000FF);     // blue border
  FillArea(m, 1, 7, 5, 11, 0x00FFFFFF);    // mask: the inner 4 x 4 keeps the background
  FillArea(m, 20, 0, 23, 3, 0xFFFF0000);   // red corner
  SetPx(m, 20, 0, 0x00FF00FF);
  TsSkinTables t = TablesWithMaster(m);
  t.Masks.push_back(Entry({0, 0, 6, 12}, 1, 1, 0, 1, 1, 1, 1));  // border, no centre
  t.Masks.push_back(Entry({20, 0, 23, 3}, 1, 0, 0, 0, 0, 0, 0));  // corner image
  TsGeneralData s = Section("PANEL", Plain(TColor{0x00FF00}));
  s.BorderMaskIndex = 0;
  s.CornerIndexes = {-1, 1, -1, -1};  // top right
  t.Sections.push_back(s);
  return t;
}

TEST(PaintSectionItem, PaintsBackgroundCornerImagesAndBorder) {
  const TsSkinTables t = ItemTables();
  SkinBitmap b = Filled(20, 20, 0);
  PaintSectionItem(b.View(), {2, 2, 18, 18}, Paint(t, 0), false);
  EXPECT_EQ(Px(b, 2, 10) & 0x00FFFFFF, 0x0000FFu);   // left border
  EXPECT_EQ(Px(b, 10, 10), 0xFF00FF00u);              // background
  EXPECT_EQ(Px(b, 16, 3), 0xFFFF0000u);               // corner image at right − 3
  EXPECT_EQ(Px(b, 15, 2) & 0x00FFFFFF, 0x0000FFu);    // its magenta pixel showed what lay there
  EXPECT_EQ(Px(b, 0, 0), 0u);                         // outside the rectangle
}

TEST(PaintSectionItem, DrawsNothingForBadArguments) {
  const TsSkinTables t = ItemTables();
  struct Case {
    const char* name;
    Rect rect;
    int section;
    bool withTables;
  };
  const Case cases[] = {
      {"rectangle leaves the bitmap", {10, 10, 21, 15}, 0, true},
      {"negative origin", {-1, 0, 5, 5}, 0, true},
      {"empty rectangle", {5, 5, 5, 9}, 0, true},
      {"invalid section", {0, 0, 5, 5}, 3, true},
      {"no tables", {0, 0, 5, 5}, 0, false},
  };
  for (const auto& c : cases) {
    SkinBitmap b = Filled(20, 20, 7);
    SectionPaint p = Paint(t, c.section);
    if (!c.withTables) p.tables = nullptr;
    PaintSectionItem(b.View(), c.rect, p, false);
    EXPECT_EQ(b.pixels, Filled(20, 20, 7).pixels) << c.name;
  }
}

class FakeControl : public ControlSkinSource {
 public:
  explicit FakeControl(const TsSkinTables& t) : tables_(t) {}
  const TsSkinTables* Tables() const override { return &tables_; }
  int SectionIndex() const override { return 0; }
  int PatternIndex() const override { return -1; }
  int HotPatternIndex() const override { return -1; }
  TColor OwnColor() const override { return custom; }
  int HueOffset() const override { return hue; }
  int Saturation() const override { return saturation; }

  TColor custom = kKeyColor;
  int hue = 0, saturation = 0;

 private:
  const TsSkinTables& tables_;
};

TEST(PaintControlItem, AppliesTheControlsHueThenSaturationAndItsColour) {
  TsSkinTables t = TablesWithMaster(Filled(1, 1, 0));
  t.Sections.push_back(Section("PANEL", Plain(TColor{0x0000FF})));  // red
  FakeControl control(t);
  control.hue = 120;
  SkinBitmap b = Filled(6, 6, 0);
  PaintControlItem(b.View(), {0, 0, 6, 6}, control, {}, {}, 0, false);
  EXPECT_EQ(Px(b, 3, 3), 0xFF00FF00u);  // red turned to green

  control.hue = 0;
  control.saturation = -100;
  control.custom = TColor{0x0000FF};
  SkinBitmap g = Filled(6, 6, 0);
  PaintControlItem(g.View(), {0, 0, 6, 6}, control, {}, {}, 0, false);
  EXPECT_EQ(Px(g, 3, 3), 0xFF555555u);  // its own red, then grey at the mean 85

  // A see-through control without a border stops at its background: no hue change.
  t.Sections[0].StateProps[0].Transparency = 50;
  control.saturation = 0;
  control.hue = 120;
  control.custom = kKeyColor;
  TacParentCache colour;
  colour.FillColor = TColor{0x0000FF};
  SkinBitmap s = Filled(6, 6, 0);
  PaintControlItem(s.View(), {0, 0, 6, 6}, control, colour, {}, 0, false);
  EXPECT_EQ(Px(s, 3, 3), 0xFFFF0000u);
}

}  // namespace

}  // namespace klarvik
