// Reading well-formed skin packages: members, the definition, names and where each
// member's zlib stream ends.
#include <gtest/gtest.h>

#include <cstring>

#include "skin/package/package_error.h"
#include "skin/package/skin_convertor.h"
#include "tests/skin_core/package_fixture.h"

namespace klarvik {

using namespace package_fixture;

namespace {

std::unique_ptr<TacSkinConvertor> Read(const Bytes& package) {
  std::unique_ptr<TacSkinConvertor> reader;
  ReadStoredPackage(package, reader);
  return reader;
}

// A zlib stream whose data ends with a sync flush and an empty final block, so every
// content byte comes out well before the stream's end.
Bytes ZlibWithLateEnd(const Bytes& data) {
  z_stream stream{};
  deflateInit(&stream, Z_DEFAULT_COMPRESSION);
  Bytes out(compressBound(static_cast<uLong>(data.size())) + 64);
  stream.next_in = const_cast<Bytef*>(data.data());
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_SYNC_FLUSH);
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

}  // namespace

TEST(PackageReader, ReadsTheDefinitionAndTheImagesInPackageOrder) {
  const Bytes options = TextBytes("[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n");
  const Bytes master = Varied(70000, 3);
  const Bytes glow = Varied(4153, 4);
  const Bytes background = Varied(20123, 5);
  const auto reader = Read(RawPackage()
                               .Int32(4)
                               .Member("Master.bmp", master)
                               .Member("Options.dat", options)
                               .Member("CloseG.png", glow)
                               .Member("fBG.jpg", background)
                               .bytes());
  ASSERT_TRUE(reader);
  ASSERT_TRUE(reader->OptionsStream().has_value());
  EXPECT_EQ(*reader->OptionsStream(), options);
  ASSERT_EQ(reader->ImageTotal(), 3);
  ASSERT_EQ(reader->ImageItems().size(), 3u);
  EXPECT_EQ(reader->ImageItems()[0].FileName, "Master.bmp");
  EXPECT_EQ(reader->ImageItems()[0].Stream, master);
  EXPECT_EQ(reader->ImageItems()[1].FileName, "CloseG.png");
  EXPECT_EQ(reader->ImageItems()[1].Stream, glow);
  EXPECT_EQ(reader->ImageItems()[2].FileName, "fBG.jpg");
  EXPECT_EQ(reader->ImageItems()[2].Stream, background);
  EXPECT_FALSE(reader->HasPackedStream()) << "the stored skin's bytes are taken back";
}

TEST(PackageReader, TakesTheDefinitionWhateverItsLetterCase) {
  for (const char* name : {"Options.dat", "OPTIONS.DAT", "options.Dat", "oPTIONS.dAT"}) {
    const auto reader = Read(RawPackage().Int32(2).Member("a.png", Varied(10)).Member(name, TextBytes("[X]")).bytes());
    ASSERT_TRUE(reader->OptionsStream().has_value()) << name;
    EXPECT_EQ(*reader->OptionsStream(), TextBytes("[X]")) << name;
    ASSERT_EQ(reader->ImageTotal(), 1) << name;
    EXPECT_EQ(reader->ImageItems()[0].FileName, "a.png") << name;
  }
}

TEST(PackageReader, NamesNearTheDefinitionAreImages) {
  for (const char* name : {"Options.da", "Options.dat ", "XOptions.dat", "Options.dat.bak"}) {
    const auto reader = Read(RawPackage().Int32(1).Member(name, Varied(5)).bytes());
    EXPECT_FALSE(reader->OptionsStream().has_value()) << name;
    EXPECT_EQ(reader->ImageTotal(), 1) << name;
  }
}

TEST(PackageReader, OnlyTheDefinitionGivesNoImages) {
  const auto reader = Read(RawPackage().Int32(1).Member("Options.dat", TextBytes("[GLOBALINFO]")).bytes());
  EXPECT_EQ(reader->ImageTotal(), 0);
  EXPECT_TRUE(reader->ImageItems().empty());
  EXPECT_TRUE(reader->OptionsStream().has_value());
}

TEST(PackageReader, BitmapFlagFollowsTheUpperCasedExtension) {
  const struct {
    const char* name;
    bool isBitmap;
  } cases[] = {
      {"ButtonHuge.bmp", true}, {"Master.BMP", true}, {"mixed.Bmp", true}, {"fBG.jpg", false},
      {"CloseG.png", false},    {"bmp", false},       {"x.bmp.png", false}, {"x.png.bmp", true},
      {"x.bmpx", false},        {".bmp", true},
  };
  RawPackage package;
  package.Int32(static_cast<std::int32_t>(std::size(cases)));
  for (const auto& c : cases) package.Member(c.name, Varied(3));
  const auto reader = Read(package.bytes());
  ASSERT_EQ(reader->ImageItems().size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(reader->ImageItems()[i].FileName, cases[i].name);
    EXPECT_EQ(reader->ImageItems()[i].IsBitmap, cases[i].isBitmap) << cases[i].name;
  }
}

TEST(PackageReader, FindsAnImageByItsUpperCasedName) {
  const auto reader = Read(RawPackage().Int32(2).Member("ButtonHuge.bmp", Varied(8, 1)).Member("CloseG.png", Varied(9, 2)).bytes());
  ASSERT_NE(reader->FindImage("BUTTONHUGE.BMP"), nullptr);
  EXPECT_EQ(reader->FindImage("BUTTONHUGE.BMP")->Stream, Varied(8, 1));
  EXPECT_EQ(reader->FindImage("CLOSEG.PNG")->Stream, Varied(9, 2));
  // The definition's name is compared as written, so only upper case finds a member.
  EXPECT_EQ(reader->FindImage("ButtonHuge.bmp"), nullptr);
  EXPECT_EQ(reader->FindImage("MASTER.BMP"), nullptr);
}

TEST(PackageReader, MemberEndsRightAfterItsTrailerEvenWhenTheLastByteComesEarly) {
  const Bytes first = Varied(3000, 7);
  const Bytes second = Varied(500, 8);
  const auto reader = Read(RawPackage()
                               .Int32(3)
                               .Member("Options.dat", 3000, ZlibWithLateEnd(first))
                               .Member("b.png", 500, ZlibWithLateEnd(second))
                               .Member("c.png", Varied(1, 9))
                               .bytes());
  EXPECT_EQ(*reader->OptionsStream(), first);
  EXPECT_EQ(reader->ImageItems()[0].Stream, second);
  EXPECT_EQ(reader->ImageItems()[1].Stream, Varied(1, 9));
}

TEST(PackageReader, AnEmptyPackageHasNothing) {
  const auto reader = Read(RawPackage().Int32(0).bytes());
  EXPECT_EQ(reader->ImageTotal(), 0);
  EXPECT_FALSE(reader->OptionsStream().has_value());
}

TEST(PackageReader, ClearPackageFreesEverythingAndRereadingGivesTheSame) {
  const Bytes package = RawPackage().Int32(2).Member("Options.dat", TextBytes("[A]")).Member("m.bmp", Varied(40)).bytes();
  TacSkinConvertor reader;
  reader.LendPackedStream(package);
  reader.ReadPackage();
  reader.ClearPackage();
  EXPECT_EQ(reader.ImageTotal(), 0);
  EXPECT_FALSE(reader.OptionsStream().has_value());
  EXPECT_TRUE(reader.HasPackedStream()) << "a lent stream is not the reader's to free";
  reader.ReadPackage();
  EXPECT_EQ(reader.ImageTotal(), 1);
  EXPECT_EQ(*reader.OptionsStream(), TextBytes("[A]"));
}

TEST(PackageReader, BadMagicGivesItsMessageAndLeavesTheLentBytesAlone) {
  const Bytes good = RawPackage().Int32(1).Member("Options.dat", TextBytes("[A]")).bytes();
  for (const std::string magic : {"TLZF", "tLzf", "XXXX", "PK\x03\x04", "TLz", ""}) {
    Bytes package = RawPackage(magic).bytes();
    if (magic.size() == 4) package.insert(package.end(), good.begin() + 4, good.end());
    const Bytes before = package;
    std::unique_ptr<TacSkinConvertor> reader;
    try {
      ReadStoredPackage(package, reader);
      ADD_FAILURE() << "accepted magic " << magic;
    } catch (const EPackageDamaged&) {
      ADD_FAILURE() << "magic " << magic << " reported as damage";
    } catch (const ESkinError& error) {
      EXPECT_STREQ(error.what(), "Loaded data is not a packed Tessel file");
    }
    EXPECT_EQ(reader, nullptr);
    EXPECT_EQ(package, before);
  }
}

TEST(PackageReader, ReadingWithoutAPackedStreamIsAnError) {
  TacSkinConvertor reader;
  EXPECT_THROW(reader.ReadPackage(), ESkinError);
}

}  // namespace klarvik
