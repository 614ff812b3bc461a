// The packages the build makes of skins/: each reads back with the skin engine's reader,
// its definition first at the zlib default level, then its pictures in name order.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>

#include "skin/package/file_bytes.h"
#include "skin/package/package_limits.h"
#include "skin/package/skin_convertor.h"

namespace klarvik {
namespace {

const std::map<std::string, std::vector<std::string>> kPictures = {
    {"Afterburner", {"ButtonHuge.bmp", "Master.bmp"}},
    {"BlueGauze", {"ButtonHuge.bmp", "Master.bmp"}},
    {"FalloutStyle", {"ButtonHuge.bmp", "Master.bmp", "fBG.jpg"}},
    {"Garnet", {"CloseAG.png", "CloseG.png", "Huge.bmp", "Master.bmp", "MaxG.png", "MinG.png", "NormG.png"}},
    {"Matrix", {"ButtonHuge.bmp", "CloseBtnGlow.png", "ExBord.png", "GlowingBtn.png", "GlowingHugeBtn.png", "Master.bmp",
                "MaxBtnGlow.png", "MinBtnGlow.png", "NormalBtnGlow.png"}},
    {"Steam2", {"Glow_Button.png", "Master.bmp", "ButtonHuge.bmp", "steam_top.bmp"}}};

std::vector<std::uint8_t> PackageBytes(const std::string& name) {
  const std::filesystem::path path = std::filesystem::path(KLARVIK_STORED_SKINS_DIR) / (name + ".tpk");
  auto bytes = skin_package::ReadFileBytes(path, skin_package::kMaxTotalSize);
  if (!bytes) ADD_FAILURE() << "no package at " << path;
  return bytes.value_or(std::vector<std::uint8_t>{});
}

TEST(StoredSkinPackages, BeginWithTheDefinitionAtTheDefaultLevel) {
  for (const auto& [name, pictures] : kPictures) {
    const std::vector<std::uint8_t> bytes = PackageBytes(name);
    ASSERT_GT(bytes.size(), 29u) << name;
    const std::string head(bytes.begin(), bytes.begin() + 23);
    EXPECT_EQ(head.substr(0, 4), "TLzf") << name;
    EXPECT_EQ(bytes[8], 11) << name << ": the first member's name length";
    EXPECT_EQ(head.substr(12, 11), "Options.dat") << name;
    EXPECT_EQ(bytes[27], 0x78) << name;
    EXPECT_EQ(bytes[28], 0x9C) << name;
  }
}

TEST(StoredSkinPackages, ReadBackWithTheirPicturesInNameOrder) {
  for (const auto& [name, pictures] : kPictures) {
    std::unique_ptr<TacSkinConvertor> reader;
    ReadStoredPackage(PackageBytes(name), reader);
    ASSERT_TRUE(reader) << name;
    ASSERT_TRUE(reader->OptionsStream()) << name;
    std::vector<std::string> stored;
    for (const TacImageItem& item : reader->ImageItems()) stored.push_back(item.FileName);
    std::vector<std::string> expected = pictures;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(stored, expected) << name;
  }
}

TEST(StoredSkinPackages, BlueGauzeIsTheSmallest) {
  const std::size_t blueGauze = PackageBytes("BlueGauze").size();
  for (const auto& [name, pictures] : kPictures) {
    if (name != "BlueGauze") {
      EXPECT_GT(PackageBytes(name).size(), blueGauze) << name;
    }
  }
}

}  // namespace
}  // namespace klarvik
