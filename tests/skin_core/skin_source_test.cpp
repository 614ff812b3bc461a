// Which source answers a skin name, and what a load from each source gives or refuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "skin/package/package_writer.h"
#include "skin/package/skin_source.h"
#include "tests/skin_core/definition_fixture.h"
#include "tests/skin_core/package_fixture.h"

namespace klarvik {

namespace {

using namespace definition_fixture;

// Each source holds a different main colour, so a test can tell which one was loaded.
std::string Definition(const std::string& mainColor) {
  return std::string("[GLOBALINFO]\nVERSION=8.40\nCOLOR=").append(mainColor).append("\n[BUTTON]\nSTATES=3\n");
}

Bytes Package(const std::string& definition) {
  const std::vector<TacPackageMember> members = {{"Options.dat", Bytes(definition.begin(), definition.end())},
                                                 {"Master.bmp", PlainBmp(4, 4)}};
  return WritePackage(members);
}

class SkinSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = std::filesystem::path(::testing::TempDir()) /
                 std::string("klarvik_skin_source_").append(::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
    AddStored("First (internal)", "$000001");
    AddStored("Zen", "$000002");
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  void AddStored(const std::string& name, const std::string& color) {
    TsStoredSkin& skin = stored_.Add();
    skin.SetName(name);
    skin.SetData(Package(Definition(color)));
  }
  static void Write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  void WritePackageFile(const std::string& name, const std::string& color) {
    const Bytes bytes = Package(Definition(color));
    std::ofstream(directory_ / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  void WriteFolderSkin(const std::string& name, const std::string& definitionName, const std::string& color) {
    std::filesystem::create_directories(directory_ / name);
    Write(directory_ / name / definitionName, Definition(color));
  }

  TColor LoadedMainColor(const std::string& name) {
    const SkinSource source = FindSkinSource(directory_, name, stored_);
    return LoadSkinSource(source, stored_, {}).tables.MainColor();
  }

  std::filesystem::path directory_;
  TsStoredSkins stored_;
};

TEST_F(SkinSourceTest, APackageFileComesBeforeAFolderAndAStoredSkinOfTheSameName) {
  WriteFolderSkin("Zen", "Options.dat", "$000020");
  EXPECT_EQ(FindSkinSource(directory_, "Zen", stored_).kind, SkinSourceKind::kFolder);
  EXPECT_EQ(LoadedMainColor("Zen"), TColor{0x20});

  WritePackageFile("Zen.tpk", "$000030");
  const SkinSource source = FindSkinSource(directory_, "Zen", stored_);
  EXPECT_EQ(source.kind, SkinSourceKind::kPackageFile);
  EXPECT_EQ(source.path, directory_ / "Zen.tpk");
  EXPECT_EQ(LoadedMainColor("Zen"), TColor{0x30});
}

TEST_F(SkinSourceTest, NamesMatchingNoFileFindTheirStoredSkinOrFallBackToTheFirst) {
  std::filesystem::create_directories(directory_ / "Bare");  // a folder without a definition is no skin
  const struct {
    std::string asked;
    int storedIndex;
    std::string answeredName;
  } cases[] = {
      {"Zen", 1, "Zen"},
      {"zen", 0, "First (internal)"},  // stored names match in their exact letter case
      {"Bare", 0, "First (internal)"},
      {"Nowhere", 0, "First (internal)"},
      {"", 0, "First (internal)"},
  };
  for (const auto& c : cases) {
    const SkinSource source = FindSkinSource(directory_, c.asked, stored_);
    EXPECT_EQ(source.kind, SkinSourceKind::kStored) << c.asked;
    EXPECT_EQ(source.storedIndex, c.storedIndex) << c.asked;
    EXPECT_EQ(source.name, c.answeredName) << c.asked;
  }
  EXPECT_EQ(FindSkinSource(directory_, "Nowhere", TsStoredSkins()).kind, SkinSourceKind::kNone);
}

TEST_F(SkinSourceTest, EachSourceRecordsItsSkinFolder) {
  WriteFolderSkin("Loose", "OPTIONS.DAT", "$000040");  // the definition's name in any letter case
  WritePackageFile("Packed.tpk", "$000050");
  const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
  const struct {
    std::string name;
    std::string skinFolder;
    bool fromPackage;
  } cases[] = {
      {"Loose", (directory_ / "Loose").string().append(separator), false},
      {"Packed", directory_.string().append(separator), true},
      {"Zen", "", true},
  };
  for (const auto& c : cases) {
    const LoadedSkin loaded = LoadSkinSource(FindSkinSource(directory_, c.name, stored_), stored_, {});
    EXPECT_EQ(loaded.tables.SkinData.SkinFolder, c.skinFolder) << c.name;
    EXPECT_EQ(loaded.fromPackage, c.fromPackage) << c.name;
    EXPECT_DOUBLE_EQ(loaded.tables.SkinData.Version, 8.4) << c.name;
  }
}

TEST_F(SkinSourceTest, SourcesThatCannotBeLoadedRaiseTheirReason) {
  stored_.Add().SetName("Empty (internal)");
  const Bytes noDefinition = package_fixture::RawPackage().Int32(1).Member("Master.bmp", PlainBmp(4, 4)).bytes();
  std::ofstream(directory_ / "NoDefinition.tpk", std::ios::binary)
      .write(reinterpret_cast<const char*>(noDefinition.data()), static_cast<std::streamsize>(noDefinition.size()));
  Write(directory_ / "Garbage.tpk", "not a package");
  const struct {
    SkinSource source;
    std::string reason;
  } cases[] = {
      {FindSkinSource(directory_, "Empty (internal)", stored_), "holds no package"},
      {FindSkinSource(directory_, "NoDefinition", stored_), "holds no Options.dat"},
      {FindSkinSource(directory_, "Garbage", stored_), "Loaded data is not a packed Tessel file"},
      {SkinSource{}, "No skin of that name"},
  };
  for (const auto& c : cases) {
    try {
      LoadSkinSource(c.source, stored_, {});
      ADD_FAILURE() << "loaded: " << c.reason;
    } catch (const std::exception& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    }
  }
}

}  // namespace

}  // namespace klarvik
