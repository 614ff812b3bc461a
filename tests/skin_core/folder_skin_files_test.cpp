// A folder skin reads the files it names inside its folder, in any letter case, and
// refuses a name that would reach a file elsewhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "skin/package/folder_skin_files.h"
#include "skin/skin_error.h"
#include "tests/skin_core/definition_fixture.h"

namespace klarvik {

namespace {

using namespace definition_fixture;

class FolderSkin : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test: CTest runs the tests of this fixture side by side.
    folder_ = std::filesystem::path(::testing::TempDir()) /
              std::string("klarvik_folder_skin_").append(::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ / "Inner");
    Write(folder_ / "Glyph.BMP", PlainBmp(3, 2));
    // A file beside the skin folder that a definition must not reach with "..".
    outside_ = std::string("klarvik_outside_").append(folder_.filename().string()).append(".bmp");
    Write(folder_.parent_path() / outside_, PlainBmp(3, 2));
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    std::filesystem::remove(folder_.parent_path() / outside_);
  }

  static void Write(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  std::filesystem::path folder_;
  std::string outside_;  // its file name
};

TEST_F(FolderSkin, FindsItsOwnFilesInAnyLetterCase) {
  const FolderSkinFiles files(folder_);
  const auto glyph = files.Read("GLYPH.BMP");
  ASSERT_TRUE(glyph.has_value());
  EXPECT_EQ(*glyph, PlainBmp(3, 2));
  EXPECT_FALSE(files.Read("MISSING.BMP").has_value());
  EXPECT_FALSE(files.Read("..GLYPH.BMP").has_value()) << "two dots inside a name are no step up";
}

TEST_F(FolderSkin, RefusesNamesThatLeaveTheFolder) {
  const FolderSkinFiles files(folder_);
  const std::string refused[] = {
      "C:\\Windows\\win.ini",
      "C:GLYPH.BMP",
      "\\\\server\\share\\skin.bmp",
      "\\GLYPH.BMP",
      "/etc/passwd",
      std::string("..\\").append(outside_),
      std::string("../").append(outside_),
      "INNER\\..\\GLYPH.BMP",
      "..",
  };
  for (const std::string& name : refused) EXPECT_THROW(files.Read(name), ESkinError) << name;
}

TEST_F(FolderSkin, ALoadNamingAPathFailsWithTheReason) {
  const FolderSkinFiles files(folder_);
  try {
    LoadSkinTables("[GLOBALINFO]\nMASTERBITMAP=\\\\server\\share\\master.bmp\n", files, TsLoadSettings{});
    FAIL() << "the load went on";
  } catch (const ESkinError& error) {
    EXPECT_NE(std::string(error.what()).find("\\\\server\\share\\master.bmp"), std::string::npos) << error.what();
  }
}

}  // namespace

}  // namespace klarvik
