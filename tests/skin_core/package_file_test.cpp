// Reading a package file from disk into a reader variable.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "skin/package/package_error.h"
#include "skin/package/skin_convertor.h"
#include "tests/skin_core/package_fixture.h"

namespace klarvik {

using namespace package_fixture;

namespace {

class PackageFile : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test: CTest runs the tests of this fixture side by side.
    folder_ = std::filesystem::path(::testing::TempDir()) /
              (std::string("klarvik_package_file_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path Write(const char* name, const Bytes& bytes) {
    const auto path = folder_ / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  std::filesystem::path folder_;
};

const Bytes kPackage = RawPackage().Int32(2).Member("Options.dat", TextBytes("[GLOBALINFO]")).Member("Master.bmp", Varied(300)).bytes();

}  // namespace

TEST_F(PackageFile, MissingFileOrAFolderLeavesTheVariableUntouched) {
  std::unique_ptr<TacSkinConvertor> none;
  LoadPackageFile(folder_ / "absent.tpk", none, true);
  EXPECT_EQ(none, nullptr);

  std::unique_ptr<TacSkinConvertor> loaded;
  LoadPackageFile(Write("a.tpk", kPackage), loaded, true);
  const TacSkinConvertor* before = loaded.get();
  LoadPackageFile(folder_ / "absent.tpk", loaded, true);
  LoadPackageFile(folder_, loaded, true);
  ASSERT_EQ(loaded.get(), before);
  EXPECT_EQ(loaded->ImageTotal(), 1);
}

TEST_F(PackageFile, ReadsTheFileAndFreesItsBytesOnlyWhenAsked) {
  for (const bool freeSource : {true, false}) {
    std::unique_ptr<TacSkinConvertor> reader;
    LoadPackageFile(Write("a.tpk", kPackage), reader, freeSource);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(*reader->OptionsStream(), TextBytes("[GLOBALINFO]"));
    ASSERT_EQ(reader->ImageTotal(), 1);
    EXPECT_EQ(reader->ImageItems()[0].Stream, Varied(300));
    EXPECT_EQ(reader->HasPackedStream(), !freeSource);
  }
}

TEST_F(PackageFile, AnExistingReaderIsClearedAndReused) {
  std::unique_ptr<TacSkinConvertor> reader;
  LoadPackageFile(Write("a.tpk", kPackage), reader, true);
  const TacSkinConvertor* first = reader.get();
  LoadPackageFile(Write("b.tpk", RawPackage().Int32(1).Member("Options.dat", TextBytes("[B]")).bytes()), reader, true);
  EXPECT_EQ(reader.get(), first);
  EXPECT_EQ(reader->ImageTotal(), 0);
  EXPECT_EQ(*reader->OptionsStream(), TextBytes("[B]"));
}

TEST_F(PackageFile, AFileThatFailsToReadLeavesNoReader) {
  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"magic.tpk", TextBytes("not a package")},
      {"empty.tpk", {}},
      {"cut.tpk", Bytes(kPackage.begin(), kPackage.end() - 5)},
  };
  for (const auto& c : cases) {
    std::unique_ptr<TacSkinConvertor> reader = std::make_unique<TacSkinConvertor>();
    EXPECT_THROW(LoadPackageFile(Write(c.name, c.bytes), reader, true), ESkinError) << c.name;
    EXPECT_EQ(reader, nullptr) << c.name;
  }
}

TEST_F(PackageFile, AFileLargerThanAnyPackageIsRefusedBeforeReading) {
  const auto path = Write("huge.tpk", kPackage);
  std::filesystem::resize_file(path, 97ull * 1024 * 1024);  // sparse: nothing is written
  std::unique_ptr<TacSkinConvertor> reader = std::make_unique<TacSkinConvertor>();
  EXPECT_THROW(LoadPackageFile(path, reader, true), ESkinError);
  EXPECT_EQ(reader, nullptr);
}

}  // namespace klarvik
