// Writing packages: what the writer makes reads back, and what the reader would refuse is
// refused here first.
#include <gtest/gtest.h>

#include <algorithm>

#include "skin/package/package_writer.h"
#include "skin/package/skin_convertor.h"
#include "skin/skin_error.h"
#include "tests/skin_core/package_fixture.h"

namespace klarvik {

using namespace package_fixture;

TEST(PackageWriter, WritesTheDefinitionFirstAtTheDefaultLevelAndReadsBack) {
  const std::vector<TacPackageMember> members = {
      {"Master.bmp", Varied(5000, 1)}, {"fBG.jpg", Varied(700, 2)}, {"Options.dat", TextBytes("[GLOBALINFO]\r\n")}};
  const Bytes package = WritePackage(members);

  const Bytes expectedStart = RawPackage().Int32(3).Int32(11).Append(TextBytes("Options.dat")).Int32(14).bytes();
  ASSERT_GT(package.size(), expectedStart.size() + 2);
  EXPECT_TRUE(std::equal(expectedStart.begin(), expectedStart.end(), package.begin()));
  EXPECT_EQ(package[expectedStart.size()], 0x78);
  EXPECT_EQ(package[expectedStart.size() + 1], 0x9C);

  std::unique_ptr<TacSkinConvertor> reader;
  ReadStoredPackage(package, reader);
  EXPECT_EQ(*reader->OptionsStream(), members[2].Bytes);
  ASSERT_EQ(reader->ImageTotal(), 2);
  EXPECT_EQ(reader->ImageItems()[0].FileName, "Master.bmp");
  EXPECT_EQ(reader->ImageItems()[0].Stream, members[0].Bytes);
  EXPECT_EQ(reader->ImageItems()[1].FileName, "fBG.jpg");
  EXPECT_EQ(reader->ImageItems()[1].Stream, members[1].Bytes);
}

TEST(PackageWriter, RefusesWhatTheReaderWouldRefuse) {
  const TacPackageMember options{"Options.dat", TextBytes("[A]")};
  const struct {
    const char* what;
    std::vector<TacPackageMember> members;
  } cases[] = {
      {"no members", {}},
      {"empty name", {options, {"", Varied(3)}}},
      {"name too long", {options, {std::string(261, 'n'), Varied(3)}}},
      {"empty member", {options, {"a.png", {}}}},
      {"two definitions", {options, {"OPTIONS.DAT", TextBytes("[B]")}}},
      {"too many", std::vector<TacPackageMember>(4097, TacPackageMember{"a.png", Varied(1)})},
  };
  for (const auto& c : cases) EXPECT_THROW(WritePackage(c.members), ESkinError) << c.what;
}

TEST(PackageWriter, TheLongestNameAndAPackageWithoutDefinitionAreWritten) {
  const std::vector<TacPackageMember> members = {{std::string(260, 'n'), Varied(3)}};
  std::unique_ptr<TacSkinConvertor> reader;
  ReadStoredPackage(WritePackage(members), reader);
  EXPECT_FALSE(reader->OptionsStream().has_value());
  ASSERT_EQ(reader->ImageTotal(), 1);
  EXPECT_EQ(reader->ImageItems()[0].FileName, members[0].Name);
}

}  // namespace klarvik
