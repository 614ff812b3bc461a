#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "skin/skin_error.h"
#include "tests/skin_core/definition_fixture.h"

namespace klarvik {

using namespace definition_fixture;

namespace {

// One key of section [S] in a skin of the given version with a 200 x 100 master bitmap.
TsSkinTables LoadKey(const std::string& value, const MemoryFiles& files, const std::string& version = "8.00") {
  return Load(WithMaster("[S]\nKEY=" + value + "\n", "VERSION=" + version + "\n"), files);
}

TsSkinTables LoadKey(const std::string& value) { return LoadKey(value, FilesWithMaster()); }

struct Geometry {
  Rect rect;
  int stateCount, maskKind, imageKind, fillMode, commonMargin;
  int left, top, right, bottom;
};

void ExpectGeometry(const TsMaskData& m, const Geometry& g, const std::string& label) {
  EXPECT_EQ(m.SourceRect, g.rect) << label;
  EXPECT_EQ(m.StateCount, g.stateCount) << label;
  EXPECT_EQ(m.MaskKind, g.maskKind) << label;
  EXPECT_EQ(m.ImageKind, g.imageKind) << label;
  EXPECT_EQ(m.FillMode, g.fillMode) << label;
  EXPECT_EQ(m.CommonMargin, g.commonMargin) << label;
  EXPECT_EQ(m.BorderLeft, g.left) << label;
  EXPECT_EQ(m.BorderTop, g.top) << label;
  EXPECT_EQ(m.BorderRight, g.right) << label;
  EXPECT_EQ(m.BorderBottom, g.bottom) << label;
}

TEST(DefinitionImages, PositionalSyntaxes) {
  struct Case {
    const char* value;
    Geometry expected;
  };
  const Case cases[] = {
      {"@0092@0002@0137@0032@3@1", {{92, 2, 137, 32}, 3, 1, kImageGlyph, 0, 0, 0, 0, 0, 0}},
      {"^0121^0040^0125^0041^0002^0000^0000^0000^1^0^1^1", {{121, 40, 125, 41}, 1, 0, kImageBorder, 1, 1, 2, 0, 0, 0}},
      // All margins 0 and no common margin: thirds of one state image (3 / 3 and 6 / (2 x 3)).
      {"^0000^0000^0003^0006^0000^0000^0000^0000^1^1^5^0", {{0, 0, 3, 6}, 1, 1, kImageBorder, 5, 0, 1, 1, 1, 1}},
      {"^0000^0000^0030^0060^0000^0000^0000^0000^1^1^5^3", {{0, 0, 30, 60}, 1, 1, kImageBorder, 5, 3, 3, 3, 3, 3}},
      {"^0002^0033^0060^0099^0028^0031^0028^0001^1^1^2^1", {{2, 33, 60, 99}, 1, 1, kImageBorder, 2, 1, 28, 31, 28, 1}},
      // Negative margins are taken as 0.
      {"^0000^0000^0030^0060^-001^0004^0000^0000^1^0^1^0", {{0, 0, 30, 60}, 1, 0, kImageBorder, 1, 0, 0, 4, 0, 0}},
      {"~0078~0000~0156~0048~00", {{78, 0, 156, 48}, 1, 0, kImageTexture, 0, 0, 0, 0, 0, 0}},
      {"~0034~0041~0037~0047~10~1", {{34, 41, 37, 47}, 1, 1, kImageTexture, 10, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const TsSkinTables t = LoadKey(c.value);
    ASSERT_EQ(t.Masks.size(), 1u) << c.value;
    const TsMaskData& m = t.Masks[0];
    EXPECT_EQ(m.SectionName, "S");
    EXPECT_EQ(m.KeyName, "KEY");
    EXPECT_EQ(m.Bitmap, nullptr) << c.value;
    ExpectGeometry(m, c.expected, c.value);
  }
  const TsMaskData glyph = LoadKey("@0092@0002@0137@0032@3@1").Masks[0];
  EXPECT_EQ(StateWidth(glyph), 15);
  EXPECT_EQ(StateHeight(glyph), 15);
}

TEST(DefinitionImages, ShortOrDamagedPositionalValuesFailStrictly) {
  const char* cases[] = {"@", "^", "~", "@0092@0002@0137", "@0092@0002@0137@0032@3", "@0092@0002@0137@0032@3@",
                         "^0121^0040^0125^0041^0002", "^0121^0040^0125^0041^0002^0000^0000^0000^1^0^1",
                         "~0078~0000~0156~0048~", "@00x2@0002@0137@0032@3@1",
                         "~0078~0000~0156~0048~00~x"};
  for (const char* value : cases) EXPECT_THROW(LoadKey(value), ESkinConvertError) << value;
}

TEST(DefinitionImages, RectanglesAreKeptInsideTheirPicture) {
  struct Case {
    const char* value;
    bool made;
    Rect rect;
  };
  const Case cases[] = {
      {"@0190@0090@0210@0110@1@0", true, {190, 90, 200, 100}},
      {"@0050@0000@0040@0010@1@0", false, {}},   // inverted
      {"@0010@0050@0020@0040@1@0", false, {}},   // inverted
      {"@0300@0000@0310@0010@1@0", false, {}},   // wholly outside
      {"@0010@0010@0010@0020@1@0", false, {}},   // no width
      {"^-005^-005^0010^0010^0001^0001^0001^0001^1^0^1^0", true, {0, 0, 10, 10}},
      {"~0150~0050~9999~9999~00", true, {150, 50, 200, 100}},
      {"#R(150,50,9999,9999)(1,0)", true, {150, 50, 200, 100}},
  };
  for (const Case& c : cases) {
    const TsSkinTables t = LoadKey(c.value);
    ASSERT_EQ(t.Masks.size(), c.made ? 1u : 0u) << c.value;
    if (c.made) {
      EXPECT_EQ(t.Masks[0].SourceRect, c.rect) << c.value;
    }
  }
  // Without a master bitmap nothing can hold a rectangle.
  EXPECT_TRUE(LoadKey("@0092@0002@0137@0032@3@1", MemoryFiles()).Masks.empty());
}

TEST(DefinitionImages, ZeroStateCountsAndMaskKindMinusOneDrawNothing) {
  MemoryFiles files = FilesWithMaster();
  files.Add("Btn.bmp", PlainBmp(30, 12, 0xFF00FF));
  const char* cases[] = {
      "@0000@0000@0030@0012@0@0",
      "^0000^0000^0030^0012^0000^0000^0000^0000^0^1^1^0",
      "^0000^0000^0030^0012^0002^0002^0002^0002^0^1^1^0",
      "!BTN.BMP!0",
      "!BTN.BMP!0!1!0!0001!0001!0001!0001",
      "!BTN.BMP!1!-1",
      "!BTN.BMP!1!-7!0!0001!0001!0001!0001",
  };
  for (const char* value : cases) {
    const TsSkinTables t = LoadKey(value, files, "7.00");
    ASSERT_EQ(t.Masks.size(), 1u) << value;
    const TsMaskData& m = t.Masks[0];
    EXPECT_TRUE(StateWidth(m) == 0 || StateHeight(m) == 0) << value;
    EXPECT_EQ(m.CornerKind, 0) << value;  // the magenta corners of Btn.bmp are not scanned
    EXPECT_GE(m.BorderLeft, 0) << value;
    EXPECT_GE(m.BorderTop, 0) << value;
  }
  const TsMaskData zero = LoadKey("@0000@0000@0030@0012@0@0").Masks[0];
  EXPECT_EQ(MarginLeft(zero), 30);  // a state count of 0 counts as 1 for the margins
  EXPECT_EQ(MarginTop(zero), 12);
}

TEST(DefinitionImages, SeparateImages) {
  MemoryFiles files = FilesWithMaster();
  files.Add("ButtonHuge.bmp", PlainBmp(300, 200));
  struct Case {
    const char* value;
    Geometry expected;
  };
  const Case cases[] = {
      {"!BUTTONHUGE.BMP!3!1!0!0047!0047!0047!0047!5", {{0, 0, 300, 200}, 3, 1, kImageBorder, 5, 0, 47, 47, 47, 47}},
      // Fewer than 9 words: fill mode 1; fewer than 5: the thirds rule; kinds above 4 count as 4.
      {"!BUTTONHUGE.BMP!1!0!7", {{0, 0, 300, 200}, 1, 0, 4, 1, 0, 100, 66, 100, 66}},
      {"!BUTTONHUGE.BMP!2!1!3", {{0, 0, 300, 200}, 2, 1, 3, 1, 0, 50, 33, 50, 33}},
      {"!BUTTONHUGE.BMP!x!y!z!a", {{0, 0, 300, 200}, 0, 0, kImageBorder, 1, 0, 0, 0, 0, 0}},
      {"!BUTTONHUGE.BMP!99999!1!0!-5!70000!3", {{0, 0, 300, 200}, 32767, 1, kImageBorder, 1, 0, 0, 32767, 3, 0}},
  };
  for (const Case& c : cases) {
    const TsSkinTables t = LoadKey(c.value, files);
    ASSERT_EQ(t.Masks.size(), 1u) << c.value;
    ASSERT_NE(t.Masks[0].Bitmap, nullptr) << c.value;
    EXPECT_EQ(t.Masks[0].Bitmap->width, 300);
    EXPECT_EQ(&t.ImageOf(t.Masks[0]), t.Masks[0].Bitmap.get());
    ExpectGeometry(t.Masks[0], c.expected, c.value);
  }
  // No entry: a name without ".BMP" or ".PNG" as written, a missing file, a negative kind.
  for (const char* value : {"!buttonhuge.bmp!1", "!BUTTONHUGE.GIF!1", "!MISSING.BMP!1", "!BUTTONHUGE.BMP!1!0!-1"}) {
    EXPECT_TRUE(LoadKey(value, files).Masks.empty()) << value;
  }
  // A file that is not the picture its name says fails the load.
  files.Add("Broken.png", PlainBmp(4, 4));
  EXPECT_THROW(LoadKey("!BROKEN.PNG!1", files), EInvalidGraphic);
}

TEST(DefinitionImages, PngEntriesFollowTheAlphaRuleOfTheirVersion) {
  MemoryFiles files = FilesWithMaster();
  const std::uint32_t pixels[] = {0x80C86400, 0x00FFFFFF, 0xFFFFFFFF, 0x00123456};
  files.Add("Glow.png", RgbaPng(4, 1, [&](int x, int) { return pixels[x]; }));
  struct Case {
    const char* version;
    std::vector<std::uint32_t> expected;
  };
  const Case cases[] = {
      {"8.00", {0x80643200, 0, 0xFFFEFEFE, 0}},              // premultiplied
      {"7.46", {0x80643200, 0, 0xFFFEFEFE, 0}},
      {"7.45", {0x80C86400, 0, 0xFFFFFFFF, 0x00123456}},     // transparent white only
      {"6.00", {0x80C86400, 0, 0xFFFFFFFF, 0x00123456}},
  };
  for (const Case& c : cases) {
    const TsSkinTables t = LoadKey("!GLOW.PNG!1!0!3", files, c.version);
    ASSERT_EQ(t.Masks.size(), 1u) << c.version;
    EXPECT_EQ(t.Masks[0].Bitmap->pixels, c.expected) << c.version;
  }
}

TEST(DefinitionImages, GlyphFilesAndBracketedRectangles) {
  MemoryFiles files = FilesWithMaster();
  files.Add("Glyph.bmp", PlainBmp(90, 60));
  const TsSkinTables t = Load(WithMaster(
      "[lower]\nkey=glyph.bmp\nNUMBER=123\nJPG=FBG.JPG\nTEXT=hello\nHASH=#\n"
      "RECT=#img (10,20,40,60) (3,1)\nFRAMED=#img(10,20,40,60)(3,1,2,6)\nLAX=#img(a,20,40,60)(x,-2)\n"),
      files);
  ASSERT_EQ(t.Masks.size(), 4u);
  const TsMaskData& glyph = t.Masks[0];
  EXPECT_EQ(glyph.SectionName, "LOWER");
  EXPECT_EQ(glyph.KeyName, "KEY");
  ASSERT_NE(glyph.Bitmap, nullptr);
  ExpectGeometry(glyph, {{0, 0, 90, 60}, 3, 1, kImageBorder, 0, 0, 10, 10, 10, 10}, "glyph file");

  EXPECT_EQ(t.Masks[1].KeyName, "RECT");
  ExpectGeometry(t.Masks[1], {{10, 20, 40, 60}, 3, 1, kImageBorder, 1, 0, 10, 20, 10, 20}, "whole state sizes");
  ExpectGeometry(t.Masks[2], {{10, 20, 40, 60}, 3, 1, kImageBorder, 6, 2, 2, 2, 2, 2}, "frame and fill");
  ExpectGeometry(t.Masks[3], {{0, 20, 40, 60}, 1, 0, kImageBorder, 1, 0, 40, 40, 40, 40}, "lenient numbers");

  EXPECT_THROW(Load(WithMaster("[S]\nK=#img(1,2,3,4)(3,1,x)\n"), files), ESkinConvertError);
  EXPECT_THROW(Load(WithMaster("[S]\nK=#img(1,2,3,4)(3,1,2,y)\n"), files), ESkinConvertError);
}

TEST(DefinitionImages, OldDefinitionsSetOrClearSinglePixelStretching) {
  struct Case {
    const char* value;
    const char* version;
    int fillMode;
  };
  const Case cases[] = {
      // 5 - 2 - 2 = 1 across and 6 / 2 - 1 - 1 = 1 down: bit 0 set.
      {"^0000^0000^0005^0006^0002^0001^0002^0001^1^1^4^0", "7.00", 5},
      {"^0000^0000^0005^0006^0002^0001^0002^0001^1^1^4^0", "7.40", 4},
      {"^0000^0000^0006^0006^0002^0001^0002^0001^1^1^5^0", "7.00", 4},
      {"^0000^0000^0006^0006^0002^0001^0002^0001^1^1^5^0", "8.00", 5},
      {"^0000^0000^0006^0006^0002^0001^0002^0001^1^0^5^0", "7.00", 5},  // no mask: untouched
      {"~0000~0000~0010~0010~03~1", "7.00", 2},
      {"~0000~0000~0010~0010~03~1", "7.40", 3},
      {"~0000~0000~0010~0010~03~0", "7.00", 3},
  };
  for (const Case& c : cases) {
    const TsSkinTables t = LoadKey(c.value, FilesWithMaster(), c.version);
    ASSERT_EQ(t.Masks.size(), 1u);
    EXPECT_EQ(t.Masks[0].FillMode, c.fillMode) << c.value << " v" << c.version;
  }
}

TEST(DefinitionImages, CornerScanLooksForKeyPixelsInTheFirstStateCorners) {
  struct Case {
    const char* name;
    int keyX, keyY;
    const char* section;
    const char* value;
    int cornerKind;
  };
  const Case cases[] = {
      {"top left", 0, 0, "S", "^0000^0000^0010^0010^0002^0002^0002^0002^1^0^1^0", 1},
      {"bottom right", 9, 9, "S", "^0000^0000^0010^0010^0002^0002^0002^0002^1^0^1^0", 1},
      {"centre", 5, 5, "S", "^0000^0000^0010^0010^0002^0002^0002^0002^1^0^1^0", 0},
      {"second state", 10, 0, "S", "^0000^0000^0020^0010^0002^0002^0002^0002^2^0^1^0", 0},
      {"mask rows", 0, 9, "S", "^0000^0000^0010^0010^0002^0002^0002^0002^1^1^1^0", 0},
      {"last column of the picture", 19, 0, "S", "^0000^0000^0020^0020^0002^0002^0002^0002^1^0^1^0", 0},
      {"fixed for the huge button", 5, 5, "BUTTON_HUGE", "^0000^0000^0010^0010^0002^0002^0002^0002^1^0^1^0", 2},
  };
  for (const Case& c : cases) {
    MemoryFiles files;
    files.Add("Master.bmp", Bmp24(20, 20, [&](int x, int y) { return x == c.keyX && y == c.keyY ? 0xFF00FFu : 0x808080u; }));
    const TsSkinTables t = Load(WithMaster(std::string("[") + c.section + "]\nBORDERSMASK=" + c.value + "\n"), files);
    ASSERT_EQ(t.Masks.size(), 1u) << c.name;
    EXPECT_EQ(t.Masks[0].CornerKind, c.cornerKind) << c.name;
  }
}

TEST(DefinitionImages, OverlayMakesGlyphFilesAndBracketedEntriesWithThirds) {
  MemoryFiles files = FilesWithMaster();
  files.Add("Extra.bmp", PlainBmp(90, 60));
  TsLoadSettings settings;
  settings.CommonSections = PrepareCommonSections({"[EXTRA]", "A=EXTRA.BMP", "B=#img(10,20,40,60)(3,1)", "C=@0092@0002@0137@0032@3@1"});
  const TsSkinTables t = Load(WithMaster("[S]\nK=@0092@0002@0137@0032@3@1\n"), files, settings);
  ASSERT_EQ(t.Masks.size(), 3u);
  EXPECT_EQ(t.Masks[1].SectionName, "EXTRA");
  EXPECT_EQ(t.Masks[1].KeyName, "A");
  // 30 / (3 x 3) and 40 / ((1 + 1) x 3).
  ExpectGeometry(t.Masks[2], {{10, 20, 40, 60}, 3, 1, kImageBorder, 1, 0, 3, 6, 3, 6}, "overlay thirds");
}

TEST(DefinitionImages, PicturesOfOneLoadHaveAPixelBudget) {
  MemoryFiles files = FilesWithMaster(20, 10);
  files.Add("Big.bmp", PlainBmp(40, 20));
  files.Add("Big.jpg", image_fixtures::JpegHead(30, 30));
  auto skin = [](int references) {
    std::string text = WithMaster("[S]\nJ=BIG.JPG\n");
    for (int i = 0; i < references; ++i) text += "K" + std::to_string(i) + "=!BIG.BMP!1\n";
    return text;
  };
  struct SquareJpeg : JpegDecoder {
    std::unique_ptr<JpegImage> Decode(std::span<const std::uint8_t> bytes) const override {
      struct Square : JpegImage {
        int side;
        explicit Square(int s) : side(s) {}
        int Width() const override { return side; }
        int Height() const override { return side; }
        SkinBitmap ToBitmap() const override { return SkinBitmap{side, side, 24, std::vector<std::uint32_t>(std::size_t(side) * side), -1}; }
      };
      return std::make_unique<Square>(ReadJpegFrameSize(bytes).width);
    }
  } jpeg;
  TsLoadSettings settings;
  settings.Jpeg = &jpeg;
  settings.MaxImagePixels = 200 + 4 * 800 + 900;  // the master, four pictures, the JPG
  EXPECT_EQ(Load(skin(4), files, settings).Masks.size(), 5u);
  EXPECT_THROW(Load(skin(5), files, settings), ESkinError);
}

TEST(DefinitionImages, ThePixelBudgetIsTakenFromTheHeaderBeforeDecoding) {
  // Headers that claim 2^26 pixels and carry no pixels at all: refused by the budget, not
  // by a decoder that has already allocated the picture.
  using namespace image_fixtures;
  BmpFields bmp;
  bmp.width = bmp.height = 8192;
  bmp.bits = 1;
  bmp.palette = {0, 0xFFFFFF};
  const Bytes hugeBmp = BmpFile(bmp);
  PngHeaderFields png;
  png.width = png.height = 8192;
  const Bytes hugePng = Concat({kPngSignature, Chunk("IHDR", IhdrData(png))});
  struct SizeOnly : JpegDecoder {
    std::unique_ptr<JpegImage> Decode(std::span<const std::uint8_t>) const override {
      throw std::logic_error("the decoder ran before the budget was checked");
    }
  } jpeg;
  struct Case {
    const char* name;
    std::string definition;
    const char* file;
    Bytes bytes;
  } cases[] = {
      {"master bitmap", "[GLOBALINFO]\nMASTERBITMAP=HUGE.BMP\n", "Huge.bmp", hugeBmp},
      {"master bitmap in PNG", "[GLOBALINFO]\nMASTERBITMAP=HUGE.PNG\n", "Huge.png", hugePng},
      {"glyph file", "[S]\nG=HUGE.BMP\n", "Huge.bmp", hugeBmp},
      {"separate PNG", "[S]\nK=!HUGE.PNG!1\n", "Huge.png", hugePng},
      {"JPG background", "[S]\nPATTERN=HUGE.JPG\n", "Huge.jpg", JpegHead(8192, 8192)},
  };
  TsLoadSettings settings;
  settings.Jpeg = &jpeg;
  for (const Case& c : cases) {
    MemoryFiles files;
    files.Add(c.file, c.bytes);
    try {
      Load(c.definition, files, settings);
      ADD_FAILURE() << c.name << " loaded";
    } catch (const ESkinError& e) {
      EXPECT_STREQ(e.what(), "The skin's images are too large") << c.name;
    }
  }
}

TEST(DefinitionImages, MasterBitmapIsNormalisedAndKeyed) {
  MemoryFiles files;
  files.Add("Master.bmp", Bmp24(2, 1, [](int x, int) { return x == 0 ? 0xFF00FFu : 0x123456u; }));
  const TsSkinTables t = Load(WithMaster(""), files);
  ASSERT_NE(t.MasterBitmap, nullptr);
  EXPECT_EQ(t.MasterBitmap->pixels, (std::vector<std::uint32_t>{0x00FF00FF, 0xFF123456}));
  EXPECT_EQ(t.MasterBitmap->transparentColor, ColorValue(kKeyColor));
  // A missing master bitmap is no error.
  EXPECT_TRUE(Load(WithMaster("")).MasterBitmap->Empty());
  EXPECT_TRUE(Load("[GLOBALINFO]\n").MasterBitmap->Empty());
}

}  // namespace

}  // namespace klarvik
