// The stored-skin collection: lookups by exact name, defaults, copies, the update event and
// the persisted package bytes.
#include <gtest/gtest.h>

#include <algorithm>

#include "skin/package/stored_skins.h"
#include "skin/skin_error.h"
#include "tests/skin_core/package_fixture.h"

namespace klarvik {

using namespace package_fixture;

namespace {

const char* const kStoredNames[] = {"Afterburner (internal)", "BlueGauze (internal)", "FalloutStyle (internal)",
                                    "Garnet (internal)",      "Matrix (internal)",    "Steam2 (internal)"};

void AddStoredSkins(TsStoredSkins& skins) {
  for (const char* name : kStoredNames) skins.Add().SetName(name);
}

}  // namespace

TEST(StoredSkins, IndexOfNameComparesExactly) {
  TsStoredSkins skins;
  AddStoredSkins(skins);
  skins.Add().SetName("Garnet (internal)");
  const struct {
    const char* name;
    int index;
  } cases[] = {
      {"Steam2 (internal)", 5}, {"steam2 (internal)", -1}, {"Afterburner (internal)", 0}, {"Garnet (internal)", 3},
      {"Steam2", -1},           {"Steam2 (internal) ", -1}, {"", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(skins.IndexOfName(c.name), c.index) << c.name;
  EXPECT_EQ(TsStoredSkins().IndexOfName("Steam2 (internal)"), -1);
}

TEST(StoredSkins, NewItemHasItsDefaults) {
  TsStoredSkins skins;
  const TsStoredSkin& skin = skins.Add();
  EXPECT_EQ(skin.Name(), "");
  EXPECT_TRUE(skin.MasterBitmap().Empty());
  EXPECT_EQ(skin.Shadow1Blur(), -1);
  EXPECT_EQ(skin.BorderColor(), 0xFF00FF);
  EXPECT_EQ(skin.Version(), 0.0);
  EXPECT_TRUE(skin.Data().empty());
}

TEST(StoredSkins, AssignCopiesEveryValueAndTheBytes) {
  TsStoredSkins skins;
  TsStoredSkin& source = skins.Add();
  source.SetName("Matrix (internal)");
  source.SetMasterBitmap(SkinBitmap{2, 1, 24, {0x11223344u, 0x55667788u}});
  source.SetShadow1Color(0x123456);
  source.SetShadow1Offset(3);
  source.SetShadow1Blur(7);
  source.SetShadow1Transparency(40);
  source.SetBorderColor(0x00FF00);
  source.SetVersion(8.5);
  source.SetAuthor("A");
  source.SetDescription("D");
  source.SetData(Varied(64));

  TsStoredSkin& copy = skins.Add();
  copy.Assign(source);
  EXPECT_EQ(copy.Name(), "Matrix (internal)");
  EXPECT_EQ(copy.MasterBitmap().width, 2);
  EXPECT_EQ(copy.MasterBitmap().pixels, source.MasterBitmap().pixels);
  EXPECT_EQ(copy.Shadow1Color(), 0x123456);
  EXPECT_EQ(copy.Shadow1Offset(), 3);
  EXPECT_EQ(copy.Shadow1Blur(), 7);
  EXPECT_EQ(copy.Shadow1Transparency(), 40);
  EXPECT_EQ(copy.BorderColor(), 0x00FF00);
  EXPECT_EQ(copy.Version(), 8.5);
  EXPECT_EQ(copy.Author(), "A");
  EXPECT_EQ(copy.Description(), "D");
  EXPECT_TRUE(std::ranges::equal(copy.Data(), Varied(64)));
}

TEST(StoredSkins, EveryChangeRunsTheUpdateEvent) {
  TsStoredSkins skins;
  int updates = 0;
  skins.OnUpdate = [&] { ++updates; };
  TsStoredSkin& skin = skins.Add();
  EXPECT_EQ(updates, 1);
  skin.SetName("x");
  skin.SetData(Varied(3));
  skin.SetBorderColor(0);
  EXPECT_EQ(updates, 4);
  skins.Delete(0);
  EXPECT_EQ(updates, 5);
  EXPECT_EQ(skins.Count(), 0);
  EXPECT_THROW(skins.Delete(0), std::out_of_range);
}

TEST(StoredSkins, DataValueIsACountAndExactlyTheBytes) {
  TsStoredSkins skins;
  TsStoredSkin& skin = skins.Add();
  skin.SetData(Varied(300));
  const Bytes value = skin.WriteDataValue();
  EXPECT_EQ(value, RawPackage("").Int32(300).Append(Varied(300)).bytes());

  TsStoredSkin& read = skins.Add();
  Bytes followed = value;
  followed.push_back(0xEE);
  EXPECT_EQ(read.ReadDataValue(followed), value.size());
  EXPECT_TRUE(std::ranges::equal(read.Data(), Varied(300)));

  EXPECT_EQ(read.ReadDataValue(RawPackage("").Int32(0).bytes()), 4u);
  EXPECT_TRUE(read.Data().empty());
}

TEST(StoredSkins, DataValueThatClaimsMoreThanItHoldsIsRefused) {
  TsStoredSkins skins;
  TsStoredSkin& skin = skins.Add();
  skin.SetData(Varied(5));
  for (const Bytes& value : {RawPackage("").Int32(-1).bytes(), RawPackage("").Int32(10).Append(Varied(9)).bytes(),
                             RawPackage("").Int32(0x7FFFFFFF).bytes(), Bytes{1, 0}}) {
    EXPECT_THROW(skin.ReadDataValue(value), ESkinError);
    EXPECT_TRUE(std::ranges::equal(skin.Data(), Varied(5))) << "a refused value leaves the bytes";
  }
}

}  // namespace klarvik
