// Damaged and malicious packages: every one ends in a clear error, never in a crash, a
// read past the end or a huge allocation.
#include <gtest/gtest.h>

#include <limits>

#include "skin/package/package_error.h"
#include "skin/package/skin_convertor.h"
#include "tests/skin_core/package_fixture.h"

namespace klarvik {

using namespace package_fixture;

namespace {

constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();

// Reads `package` and returns the error it raised; fails the test when it read fine.
template <typename Error>
std::string ReadError(const Bytes& package) {
  std::unique_ptr<TacSkinConvertor> reader;
  try {
    ReadStoredPackage(package, reader);
  } catch (const Error& error) {
    EXPECT_EQ(reader, nullptr) << "a failed read leaves no reader";
    return error.what();
  }
  ADD_FAILURE() << "the package was accepted";
  return {};
}

Bytes TwoMembers() {
  return RawPackage().Int32(2).Member("Options.dat", TextBytes("[GLOBALINFO]\r\nA=1\r\n")).Member("Master.bmp", Varied(2000)).bytes();
}

}  // namespace

TEST(PackageHostile, CountOutOfRangeIsDamage) {
  for (const std::int32_t count : {-1, std::numeric_limits<std::int32_t>::min(), 4097, kMaxInt}) {
    EXPECT_EQ(ReadError<EPackageDamaged>(RawPackage().Int32(count).bytes()),
              "The skin package is damaged: the member count is out of range")
        << count;
  }
}

TEST(PackageHostile, CountAboveTheMembersPresentIsDamage) {
  for (const std::int32_t count : {2, 3, 4096}) {
    RawPackage package;
    package.Int32(count).Member("Options.dat", TextBytes("[A]"));
    EXPECT_EQ(ReadError<EPackageDamaged>(package.bytes()),
              "The skin package is damaged: the data ends inside the member name length")
        << count;
  }
}

TEST(PackageHostile, NameLengthOutOfRangeIsDamage) {
  for (const std::int32_t length : {-1, 0, 261, kMaxInt}) {
    const Bytes package = RawPackage().Int32(1).Int32(length).Append(TextBytes("Options.dat")).Int32(3).Append(Zlib(TextBytes("[A]"))).bytes();
    EXPECT_EQ(ReadError<EPackageDamaged>(package), "The skin package is damaged: a member name length is out of range")
        << length;
  }
}

TEST(PackageHostile, MemberSizeOutOfRangeIsDamage) {
  for (const std::int32_t size : {-1, 0, 64 * 1024 * 1024 + 1, kMaxInt}) {
    const Bytes package = RawPackage().Int32(1).Member("a.png", size, Zlib(Varied(10))).bytes();
    EXPECT_EQ(ReadError<EPackageDamaged>(package), "The skin package is damaged: the size of member a.png is out of range")
        << size;
  }
}

TEST(PackageHostile, SizeBeyondWhatTheRemainingDataCanInflateToIsRefusedBeforeAllocating) {
  const Bytes package = RawPackage().Int32(1).Member("a.png", 60 * 1024 * 1024, Zlib(Varied(10))).bytes();
  EXPECT_EQ(ReadError<EPackageDamaged>(package), "The skin package is damaged: member a.png is larger than its data can hold");
}

TEST(PackageHostile, MembersTooLargeTogetherAreDamage) {
  const Bytes big(40 * 1024 * 1024, 0);
  const Bytes package = RawPackage().Int32(2).Member("a.bmp", big).Member("b.bmp", big).bytes();
  EXPECT_EQ(ReadError<EPackageDamaged>(package), "The skin package is damaged: the members are too large together");
}

TEST(PackageHostile, StreamThatInflatesToOtherThanTheDeclaredSizeIsDamage) {
  const Bytes content = Varied(1000);
  const struct {
    std::int32_t declared;
    const char* message;
  } cases[] = {
      {999, "The skin package is damaged: a member inflates to more bytes than declared"},
      {1, "The skin package is damaged: a member inflates to more bytes than declared"},
      {1001, "The skin package is damaged: a member inflates to fewer bytes than declared"},
      {5000, "The skin package is damaged: a member inflates to fewer bytes than declared"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadError<EPackageDamaged>(RawPackage().Int32(1).Member("Options.dat", c.declared, Zlib(content)).bytes()), c.message)
        << c.declared;
  }
}

TEST(PackageHostile, CorruptCompressedDataGivesZlibsOwnText) {
  Bytes badHeader = Zlib(Varied(100));
  badHeader[1] ^= 0x01;  // header check fails
  Bytes badChecksum = Zlib(Varied(100));
  badChecksum.back() ^= 0xFF;
  Bytes badBlockType = {0x78, 0x9C, 0x07};  // final block of the reserved type 3
  Bytes needsDictionary = {0x78, 0xBB, 0x00, 0x00, 0x00, 0x01};
  Bytes cutShort = Zlib(Varied(100));
  cutShort.resize(cutShort.size() - 3);
  const struct {
    const char* what;
    Bytes stream;
    int code;
    const char* message;
  } cases[] = {
      {"header", badHeader, Z_DATA_ERROR, "data error"},
      {"checksum", badChecksum, Z_DATA_ERROR, "data error"},
      {"block type", badBlockType, Z_DATA_ERROR, "data error"},
      {"dictionary", needsDictionary, Z_NEED_DICT, "need dictionary"},
      {"cut short", cutShort, Z_BUF_ERROR, "buffer error"},
  };
  for (const auto& c : cases) {
    std::unique_ptr<TacSkinConvertor> reader;
    try {
      ReadStoredPackage(RawPackage().Int32(1).Member("Options.dat", 100, c.stream).bytes(), reader);
      ADD_FAILURE() << c.what << " accepted";
    } catch (const EZlibError& error) {
      EXPECT_EQ(error.Code(), c.code) << c.what;
      EXPECT_STREQ(error.what(), c.message) << c.what;
    }
    EXPECT_EQ(reader, nullptr);
  }
}

TEST(PackageHostile, EveryTruncationIsAnErrorNeverAPartialRead) {
  const Bytes package = TwoMembers();
  for (std::size_t length = 0; length < package.size(); ++length) {
    const Bytes cut(package.begin(), package.begin() + static_cast<std::ptrdiff_t>(length));
    std::unique_ptr<TacSkinConvertor> reader;
    EXPECT_THROW(ReadStoredPackage(cut, reader), ESkinError) << "cut at " << length;
    EXPECT_EQ(reader, nullptr);
  }
}

TEST(PackageHostile, DataAfterTheLastMemberIsDamage) {
  for (const Bytes& tail : {Bytes{0}, TextBytes("TLzf"), Zlib(Varied(10))}) {
    Bytes package = TwoMembers();
    package.insert(package.end(), tail.begin(), tail.end());
    EXPECT_EQ(ReadError<EPackageDamaged>(package), "The skin package is damaged: data follows the last member");
  }
}

TEST(PackageHostile, ASecondDefinitionIsDamage) {
  const Bytes package = RawPackage().Int32(3).Member("Options.dat", TextBytes("[A]")).Member("a.png", Varied(5)).Member("OPTIONS.DAT", TextBytes("[B]")).bytes();
  EXPECT_EQ(ReadError<EPackageDamaged>(package), "The skin package is damaged: the package holds more than one Options.dat");
}

TEST(PackageHostile, WithoutADefinitionTheImagesAreCountedAsTheyAre) {
  std::unique_ptr<TacSkinConvertor> reader;
  ReadStoredPackage(RawPackage().Int32(2).Member("a.png", Varied(5)).Member("b.bmp", Varied(6)).bytes(), reader);
  EXPECT_FALSE(reader->OptionsStream().has_value());
  EXPECT_EQ(reader->ImageTotal(), 2);
  EXPECT_EQ(reader->ImageItems().size(), 2u);
}

TEST(PackageHostile, AFailedReadLeavesAnOwnedReaderCleared) {
  TacSkinConvertor reader;
  reader.OwnPackedStream(RawPackage().Int32(1).Member("Options.dat", TextBytes("[A]")).bytes());
  reader.ReadPackage();
  ASSERT_TRUE(reader.OptionsStream().has_value());
  reader.OwnPackedStream(RawPackage().Int32(1).Member("Options.dat", 4, Zlib(TextBytes("[A]"))).bytes());
  EXPECT_THROW(reader.ReadPackage(), EPackageDamaged);
  EXPECT_FALSE(reader.OptionsStream().has_value());
  EXPECT_EQ(reader.ImageTotal(), 0);
  EXPECT_FALSE(reader.HasPackedStream());
}

}  // namespace klarvik
