// A fixed set of section items painted from a small skin built here. The hash of every
// result is written below and must come out the same natively on x86-64 and in the
// 32-bit Windows build: the painters may use no arithmetic that differs between them.
#include <cstdint>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/section_item.h"
#include "skin/definition/value_parsing.h"
#include "tests/paint_core/paint_test_support.h"

namespace klarvik {

namespace {

using namespace paint_test;

// 64 x 64 master: a 3-state masked border image (3 × 12 wide, 12 high, mask below) at
// (0, 0); a 10 x 10 textured tile at (40, 0); a 4 x 4 masked overlay tile with its mask at
// (52, 0); a 5 x 5 corner image with magenta pixels at (40, 30).
SkinBitmap GoldenMaster() {
  SkinBitmap m = Filled(64, 64, 0xFF000000);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 36; ++x) {
      const std::uint32_t r = static_cast<std::uint32_t>(40 + 5 * x), g = static_cast<std::uint32_t>(30 + 13 * y),
                          b = static_cast<std::uint32_t>((x / 12) * 90);
      SetPx(m, x, y, 0xFF000000u | r << 16 | g << 8 | b);
      // The mask: opaque frame, see-through inside, soft in between.
      const int xs = x % 12, edge = std::min({xs, 11 - xs, y, 11 - y});
      const std::uint32_t k = edge >= 3 ? 255u : static_cast<std::uint32_t>(edge * 70);
      SetPx(m, x, y + 12, k * 0x010101u);
    }
  }
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) SetPx(m, 40 + x, y, 0xFF000000u | static_cast<std::uint32_t>((x * 25) << 16 | (y * 25) << 8 | 128));
  }
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      SetPx(m, 52 + x, y, (x + y) % 3 == 0 ? 0x00FF00FFu : 0xFFE0E0E0u);
      SetPx(m, 52 + x, y + 4, static_cast<std::uint32_t>(x * 60) * 0x010101u);
    }
  }
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) SetPx(m, 40 + x, 30 + y, x + y < 3 ? 0x00FF00FFu : 0xFF20A040u);
  }
  return m;
}

TsGeneralData Section(const std::string& name, TColor color, const std::string& gradient, int gradientPercent,
                      int imagePercent, int texture, int transparency) {
  TsGeneralData s;
  s.SectionName = name;
  s.States = 2;
  for (TsGenState& st : s.StateProps) {
    st.Color = color;
    st.GradientData = gradient;
    st.GradientArray = std::make_shared<TsGradArray>(ParseGradient(gradient));
    st.GradientPercent = gradientPercent;
    st.ImagePercent = imagePercent;
    st.TextureIndex = texture;
    st.Transparency = transparency;
  }
  s.StateProps[1].Color = TColor{ColorValue(color) ^ 0x202020};
  return s;
}

TsSkinTables GoldenSkin() {
  TsSkinTables t = TablesWithMaster(GoldenMaster());
  t.Masks.push_back(Entry({0, 0, 36, 24}, 3, 1, 4, 3, 3, 3, 3));      // 0: tiled masked border with centre
  t.Masks.push_back(Entry({0, 0, 36, 24}, 3, 1, 1 | 4, 3, 3, 3, 3));  // 1: stretched masked border
  t.Masks.push_back(Entry({40, 0, 50, 10}, 1, 0, 0, 0, 0, 0, 0));      // 2: texture, tiled
  t.Masks.push_back(Entry({40, 0, 50, 10}, 1, 0, 2, 0, 0, 0, 0));      // 3: texture, top row
  t.Masks.push_back(Entry({52, 0, 56, 8}, 1, 1, 10, 0, 0, 0, 0));      // 4: masked overlay, whole tiles
  t.Masks.push_back(Entry({40, 30, 45, 35}, 1, 0, 0, 0, 0, 0, 0));     // 5: corner image
  t.Masks[0].CornerKind = 1;

  TsGeneralData vertical = Section("PANEL", TColor{0x404040}, "8421504;16777215;60;0;0;16777215;32896;40;0;0", 100, 0, -1, 0);
  vertical.BorderMaskIndex = 0;
  t.Sections.push_back(vertical);
  TsGeneralData onePass = Section("BUTTON", TColor{0x102030}, "255;16711680;100;1;0", 30, 70, 2, 0);
  onePass.BorderMaskIndex = 1;
  t.Sections.push_back(onePass);
  t.Sections.push_back(Section("FORM", TColor{0}, "255;0;0;2;0;65280;0;0;2;0;16711680;0;0;2;0;16777215;0;0;2;0;0;0;0;2;0", 100, 0, -1, 0));
  TsGeneralData clear = Section("GAUGE", TColor{0x336699}, "8421504;4210752;100;0;0", 50, 30, 3, 40);
  clear.BorderMaskIndex = 0;
  clear.CornerIndexes = {5, 5, 5, 5};
  t.Sections.push_back(clear);
  return t;
}

struct Item {
  const char* name;
  int section;
  int width, height;
  int state;
  int pattern;
  bool readyParent;
  std::uint64_t hash;
};

TEST(GoldenItems, HashTheSameInEveryBuild) {
  const TsSkinTables skin = GoldenSkin();
  SkinBitmap parent = CreateBitmap32(500, 80);
  for (int y = 0; y < parent.height; ++y) {
    for (int x = 0; x < parent.width; ++x) SetPx(parent, x, y, 0xFF000000u | static_cast<std::uint32_t>((x * 7 + y * 3) % 256) * 0x010001u);
  }
  const Item items[] = {
      {"vertical gradient, tiled border", 0, 120, 40, 0, -1, false, 0x5008b29d49b8ac05ull},
      {"vertical gradient, hot state", 0, 120, 40, 1, -1, false, 0x9538603567751373ull},
      {"gradient and texture in one pass, stretched border", 1, 75, 23, 0, -1, false, 0x6451c43d808b45d9ull},
      {"stretched border, tiny", 1, 7, 5, 2, -1, false, 0x0ab087180a7dcd7bull},
      {"triangles", 2, 61, 33, 0, -1, false, 0x5d8a77dd177ed2f9ull},
      {"see-through gauge over a ready parent", 3, 400, 30, 0, -1, true, 0x0010663c4c5dce09ull},
      {"see-through gauge, parent by colour, overlay", 3, 400, 30, 0, 4, false, 0xec9d8f7e132643b9ull},
  };
  for (const Item& item : items) {
    SkinBitmap b = Filled(item.width + 4, item.height + 4, 0x11223344);
    SectionPaint p;
    p.tables = &skin;
    p.section = item.section;
    p.state = item.state;
    p.pattern = item.pattern;
    p.offset = {13, 9};
    if (item.readyParent) {
      p.parent.Image = parent.View();
      p.parent.Ready = true;
    } else {
      p.parent.FillColor = TColor{0x8090A0};
      p.parent.Image = parent.View();
      p.parent.BorderTop = 20;
    }
    PaintSectionItem(b.View(), {2, 2, item.width + 2, item.height + 2}, p, true);
    const std::uint64_t h = Hash(b);
    EXPECT_EQ(h, item.hash) << item.name << ": 0x" << std::hex << h;
  }
}

}  // namespace

}  // namespace klarvik
