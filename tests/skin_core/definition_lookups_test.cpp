#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "skin/skin_error.h"
#include "tests/skin_core/definition_fixture.h"

namespace klarvik {

using namespace definition_fixture;

namespace {

const char* const kGlyph = "@0000@0000@0030@0010@3@0";
const char* const kTexture = "~0000~0000~0010~0010~00";

TEST(DefinitionLookups, SectionsByExactName) {
  const TsSkinTables t = Load("[GLOBALINFO]\n[FORM]\n[BUTTON]\n");
  EXPECT_EQ(t.IndexOfSection("FORM"), 1);
  EXPECT_EQ(t.IndexOfSection("BUTTON"), 2);
  EXPECT_EQ(t.IndexOfSection("Form"), -1);
  EXPECT_EQ(t.IndexOfSection(""), -1);
  EXPECT_EQ(t.IndexOfSection("MISSING"), -1);
  EXPECT_TRUE(t.IsValidSectionIndex(2));
  EXPECT_FALSE(t.IsValidSectionIndex(3));
  EXPECT_FALSE(t.IsValidSectionIndex(-1));
}

TEST(DefinitionLookups, MasksThroughTheParentChain) {
  const TsSkinTables t = Load(WithMaster(std::string("[BASE]\nBORDERSMASK=") + kGlyph + "\nPATTERN=" + kTexture +
                                         "\n[CHILD]\nPARENTCLASS=BASE\n[GRANDCHILD]\nPARENTCLASS=CHILD\nGLYPHMASK=" + kGlyph +
                                         "\n[LOOPA]\nPARENTCLASS=LOOPB\n[LOOPB]\nPARENTCLASS=LOOPA\n"),
                              FilesWithMaster());
  const int base = t.IndexOfSection("BASE");
  const int child = t.IndexOfSection("CHILD");
  const int grandchild = t.IndexOfSection("GRANDCHILD");
  ASSERT_EQ(t.Masks.size(), 3u);
  EXPECT_EQ(t.IndexOfMask(base, "BASE", "BORDERSMASK"), 0);
  EXPECT_EQ(t.IndexOfMask(child, "CHILD", "BORDERSMASK"), 0);  // only the parent defines it
  EXPECT_EQ(t.IndexOfMask(grandchild, "GRANDCHILD", "BORDERSMASK"), 0);
  EXPECT_EQ(t.IndexOfMaskDirect("CHILD", "BORDERSMASK"), -1);
  EXPECT_EQ(t.IndexOfMaskDirect("BASE", "BORDERSMASK"), 0);
  EXPECT_EQ(t.IndexOfMaskDirect("", "BORDERSMASK"), -1);
  EXPECT_EQ(t.IndexOfMask(-1, "BASE", "BORDERSMASK"), -1);
  EXPECT_EQ(t.IndexOfMask(base, "", "BORDERSMASK"), -1);
  EXPECT_EQ(t.IndexOfMask(base, "BASE", "NOKEY"), -1);
  EXPECT_EQ(t.IndexOfMask(99, "NONE", "BORDERSMASK"), -1);
  // The parent comes from the record at the index the caller passes.
  EXPECT_EQ(t.IndexOfMask(child, "NONE", "PATTERN"), 1);
  EXPECT_EQ(t.IndexOfMask(t.IndexOfSection("LOOPA"), "LOOPA", "BORDERSMASK"), -1);

  EXPECT_EQ(t.IndexOfTexture(child, "CHILD", "PATTERN"), 1);
  EXPECT_EQ(t.IndexOfTexture(child, "CHILD", "BORDERSMASK"), -1);  // a glyph, not a texture
  EXPECT_EQ(t.IndexOfPattern(child, "CHILD", "PATTERN"), -1);

  // Each section's own image indexes come through the same search.
  EXPECT_EQ(t.Sections[static_cast<std::size_t>(child)].BorderMaskIndex, 0);
  EXPECT_EQ(t.Sections[static_cast<std::size_t>(child)].TextureIndex, 1);
  EXPECT_EQ(t.Sections[static_cast<std::size_t>(child)].StateProps[kStateNormal].TextureIndex, 1);
}

// A record's own image indexes are worked out for all sections at once; they must be
// what the lookups find through the parent chain, whatever shape the chain has.
TEST(DefinitionLookups, EachRecordKeepsTheEntriesTheLookupsFind) {
  const std::string glyph = std::string("=") + kGlyph + "\n", texture = std::string("=") + kTexture + "\n";
  TsLoadSettings settings;
  settings.CommonSections = PrepareCommonSections({"[EXTRA]", "PARENTCLASS=BASE"});
  const TsSkinTables t = Load(
      WithMaster("[BASE]\nSTATES=2\nBORDERSMASK" + glyph + "PATTERN" + texture + "IMGTOPLEFT" + glyph +
                 "[CHILD]\nPARENTCLASS=BASE\nHOTPATTERN" + texture + "IMGTOPLEFT" + glyph +
                 "[GRANDCHILD]\nPARENTCLASS=CHILD\nPATTERN" + glyph +  // a glyph under a texture key
                 "[LOOPA]\nPARENTCLASS=LOOPB\nIMGTOPRIGHT" + glyph + "[LOOPB]\nPARENTCLASS=LOOPA\n" +
                 "[SELF]\nPARENTCLASS=SELF\n[ORPHAN]\nPARENTCLASS=NOWHERE\n"),
      FilesWithMaster(), settings);
  ASSERT_GE(t.Sections.size(), 9u);
  for (std::size_t i = 0; i < t.Sections.size(); ++i) {
    const TsGeneralData& r = t.Sections[i];
    if (r.SectionName == "GLOBALINFO") continue;
    SCOPED_TRACE(r.SectionName);
    const int index = static_cast<int>(i);
    const std::string& name = r.SectionName;
    EXPECT_EQ(r.BorderMaskIndex, t.IndexOfMask(index, name, "BORDERSMASK"));
    EXPECT_EQ(r.CornerIndexes, (std::array<int, 4>{t.IndexOfMask(index, name, "IMGTOPLEFT"), t.IndexOfMask(index, name, "IMGTOPRIGHT"),
                                                   t.IndexOfMask(index, name, "IMGBTMLEFT"), t.IndexOfMask(index, name, "IMGBTMRIGHT")}));
    EXPECT_EQ(r.TextureIndex, t.IndexOfTexture(index, name, "PATTERN"));
    EXPECT_EQ(r.StateProps[kStateHot].TextureIndex, r.States > 1 ? t.IndexOfTexture(index, name, "HOTPATTERN") : r.TextureIndex);
  }
  EXPECT_GE(Section(t, "GRANDCHILD").BorderMaskIndex, 0) << "two steps up";
  EXPECT_EQ(Section(t, "GRANDCHILD").TextureIndex, Section(t, "BASE").TextureIndex) << "its own PATTERN is no texture";
  EXPECT_GE(Section(t, "GRANDCHILD").TextureIndex, 0);
  EXPECT_EQ(Section(t, "EXTRA").BorderMaskIndex, Section(t, "BASE").BorderMaskIndex) << "an overlay section inherits too";
}

TEST(DefinitionLookups, HotTextureOnlyForSectionsWithAHotState) {
  const TsSkinTables t = Load(WithMaster(std::string("[ONE]\nSTATES=1\nPATTERN=") + kTexture + "\nHOTPATTERN=" + kTexture +
                                         "\n[TWO]\nSTATES=2\nPATTERN=" + kTexture + "\nHOTPATTERN=" + kTexture +
                                         "\nIMGTOPRIGHT=" + kGlyph + "\n"),
                              FilesWithMaster());
  const TsGeneralData& one = Section(t, "ONE");
  EXPECT_EQ(one.StateProps[kStateHot].TextureIndex, one.StateProps[kStateNormal].TextureIndex);
  const TsGeneralData& two = Section(t, "TWO");
  EXPECT_EQ(two.StateProps[kStateNormal].TextureIndex, 2);
  EXPECT_EQ(two.StateProps[kStateHot].TextureIndex, 3);
  EXPECT_EQ(two.CornerIndexes, (std::array<int, 4>{-1, 4, -1, -1}));
}

TEST(DefinitionLookups, StateSizesAndMargins) {
  struct Case {
    int stateCount, maskKind, border, common;
    int width, height, left, top;
  };
  // SourceRect is 60 x 30 in every case.
  const Case cases[] = {
      {1, 0, 0, 0, 60, 30, 60, 30},  {3, 0, 0, 0, 20, 30, 20, 30}, {3, 1, 0, 0, 20, 15, 20, 15},
      {2, 2, 0, 0, 30, 10, 30, 10},  {4, 1, 0, 5, 15, 15, 5, 5},   {4, 1, 7, 5, 15, 15, 7, 7},
      {0, 0, 0, 0, 0, 30, 60, 30},   {1, -1, 0, 0, 60, 0, 60, 0},
  };
  for (const Case& c : cases) {
    TsMaskData m;
    m.SourceRect = {10, 5, 70, 35};
    m.StateCount = static_cast<std::int16_t>(c.stateCount);
    m.MaskKind = static_cast<std::int16_t>(c.maskKind);
    m.BorderLeft = m.BorderTop = m.BorderRight = m.BorderBottom = static_cast<std::int16_t>(c.border);
    m.CommonMargin = static_cast<std::int16_t>(c.common);
    const std::string label = std::to_string(c.stateCount) + "/" + std::to_string(c.maskKind);
    EXPECT_EQ(StateWidth(m), c.width) << label;
    EXPECT_EQ(StateHeight(m), c.height) << label;
    EXPECT_EQ(MarginLeft(m), c.left) << label;
    EXPECT_EQ(MarginRight(m), c.left) << label;
    EXPECT_EQ(MarginTop(m), c.top) << label;
    EXPECT_EQ(MarginBottom(m), c.top) << label;
  }
}

TEST(DefinitionLookups, CachedIndexes) {
  const std::string g = kGlyph;
  const TsSkinTables t = Load(WithMaster(
      "[SCROLLBTNLEFT]\nBORDERSMASK=" + g + "\nPATTERN=" + g +
          "\n[TABTOP]\nPARENTCLASS=SCROLLBTNLEFT\n"
          "[COMBOBTN]\nPARENTCLASS=SCROLLBTNLEFT\nPATTERN=" + kTexture +
          "\n[COMBOBOX]\nPARENTCLASS=SCROLLBTNLEFT\n[WEBBUTTON]\n",
      "BICONCLOSE=" + g + "\nSICONHELP=" + g + "\nRADIOGRAYED=" + g + "\nGRIPVERT=" + g + "\n"),
      FilesWithMaster());
  const TsCachedIndexes& c = t.Cached;
  EXPECT_EQ(c.GlobalInfo, 0);
  EXPECT_EQ(c.CaptionButtons[0], 0);
  EXPECT_EQ(c.CaptionButtons[10], 1);
  EXPECT_EQ(c.CaptionButtons[1], -1);
  EXPECT_EQ(c.CheckGlyphs[5], 2);
  EXPECT_EQ(c.GripImages, (std::array<int, 3>{-1, -1, 3}));
  EXPECT_EQ(c.ScrollBtnSections, (std::array<int, 4>{-1, -1, 1, -1}));
  EXPECT_EQ(c.ScrollBtnBorders[2], 4);
  EXPECT_EQ(c.ScrollBtnPatterns[2], 5);  // any kind of entry, not only textures
  EXPECT_EQ(c.TabSections[0], 2);
  EXPECT_EQ(c.TabBorders[0], 4);  // inherited
  EXPECT_EQ(c.ComboBtnSection, 3);
  EXPECT_EQ(c.ComboBtnBorder, -1);  // exact section only
  EXPECT_EQ(c.ComboBtnPattern, 6);
  EXPECT_EQ(c.ComboBoxGlyph, -1);
  EXPECT_EQ(c.WebButtonSection, 5);
  EXPECT_EQ(c.SliderSections, (std::array<int, 2>{-1, -1}));
  EXPECT_EQ(c.ExBorder, -1);

  // Without [GLOBALINFO] every item that lives there is -1.
  const TsSkinTables bare = Load("[FORM]\nBICONCLOSE=" + g + "\n");
  EXPECT_EQ(bare.Cached.GlobalInfo, -1);
  EXPECT_EQ(bare.Cached.CaptionButtons[0], -1);
}

// Stands in for the platform's JPG decoder: the picture has the size of the frame header.
class SizeOnlyJpeg : public JpegImage {
 public:
  SizeOnlyJpeg(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  SkinBitmap ToBitmap() const override {
    SkinBitmap b;
    b.width = width_;
    b.height = height_;
    b.sourceBits = 24;
    b.pixels.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0x00FF00FF);
    b.pixels[0] = 0x00102030;
    return b;
  }

 private:
  int width_, height_;
};

class SizeOnlyJpegDecoder : public JpegDecoder {
 public:
  std::unique_ptr<JpegImage> Decode(std::span<const std::uint8_t> bytes) const override {
    const JpegFrameSize frame = ReadJpegFrameSize(bytes);
    return std::make_unique<SizeOnlyJpeg>(frame.width, frame.height);
  }
};

Bytes JpegOfSize(int width, int height) { return image_fixtures::JpegHead(width, height); }

TEST(DefinitionLookups, JpegBackgroundsSplitAtNineHundredThousandPixels) {
  MemoryFiles files;
  files.Add("Big.jpg", JpegOfSize(1000, 900));
  files.Add("Small.jpg", JpegOfSize(1000, 899));
  SizeOnlyJpegDecoder decoder;
  TsLoadSettings settings;
  settings.Jpeg = &decoder;
  const std::string text = "[form]\npattern=big.jpg\nHOTPATTERN=SMALL.JPG\nY=MISSING.JPG\n";
  const TsSkinTables t = Load(text, files, settings);
  ASSERT_EQ(t.Patterns.size(), 1u);
  EXPECT_EQ(t.Patterns[0].SectionName, "FORM");
  EXPECT_EQ(t.Patterns[0].KeyName, "PATTERN");
  EXPECT_EQ(t.Patterns[0].Image->Width(), 1000);
  EXPECT_EQ(t.IndexOfPattern(0, "FORM", "PATTERN"), 0);

  ASSERT_EQ(t.Masks.size(), 1u);
  const TsMaskData& texture = t.Masks[0];
  EXPECT_EQ(texture.SectionName, "FORM");
  EXPECT_EQ(texture.KeyName, "HOTPATTERN");
  EXPECT_EQ(texture.ImageKind, kImageTexture);
  EXPECT_EQ(texture.StateCount, 1);
  EXPECT_EQ(texture.SourceRect, Rect{});
  ASSERT_NE(texture.Bitmap, nullptr);
  EXPECT_EQ(texture.Bitmap->height, 899);
  EXPECT_EQ(texture.Bitmap->pixels[0], 0xFF102030u);  // normalised: opaque except key pixels
  EXPECT_EQ(texture.Bitmap->pixels[1], 0x00FF00FFu);

  // Without a decoder (the native build) JPG names make nothing.
  const TsSkinTables none = Load(text, files);
  EXPECT_TRUE(none.Patterns.empty());
  EXPECT_TRUE(none.Masks.empty());

  // A JPG whose frame header gives no width fails the load, as the platform's decoder
  // would; the frame is read before the decoder sees the bytes.
  files.Add("Empty.jpeg", JpegOfSize(0, 10));
  EXPECT_THROW(Load(text + "X=EMPTY.JPEG\n", files, settings), EInvalidGraphic);

  // Every JPG of the overlay is a background, whatever its size.
  settings.CommonSections = {"[EXTRA]", "P=SMALL.JPG"};
  EXPECT_EQ(Load("[GLOBALINFO]\n", files, settings).Patterns.size(), 1u);
}

}  // namespace

}  // namespace klarvik
