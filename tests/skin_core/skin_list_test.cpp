// The skin list: stored skins, skin folders and package files of the skin directory.
#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

#include "skin/package/skin_list.h"

namespace klarvik {

namespace {

const std::vector<std::wstring> kStored = {L"Afterburner (internal)", L"BlueGauze (internal)", L"FalloutStyle (internal)",
                                           L"Garnet (internal)",      L"Matrix (internal)",    L"Steam2 (internal)"};

bool CaselessBefore(const std::wstring& a, const std::wstring& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](wchar_t x, wchar_t y) { return std::towlower(x) < std::towlower(y); });
}

const std::vector<SkinDirectoryEntry> kDirectory = {
    {L"Zen.tpk", false, false},     {L"aqua", true, true},          {L"Empty", true, false},
    {L"Loud.TPK", false, false},    {L".hidden.tpk", false, false}, {L".Dotted", true, true},
    {L"Folder.tpk", true, true},    {L"Two.Dots.tpk", false, false}, {L"notes.txt", false, false},
};

TEST(SkinList, StoredSkinsFoldersAndPackagesInOneAlphabeticalList) {
  struct Case {
    SkinListKind kind;
    std::vector<std::wstring> expected;
  };
  const Case cases[] = {
      {SkinListKind::kBoth,
       {L"Afterburner (internal)", L"aqua", L"BlueGauze (internal)", L"FalloutStyle (internal)", L"Folder.tpk",
        L"Garnet (internal)", L"Matrix (internal)", L"Steam2 (internal)", L"Two", L"Zen"}},
      {SkinListKind::kFolders,
       {L"Afterburner (internal)", L"aqua", L"BlueGauze (internal)", L"FalloutStyle (internal)", L"Folder.tpk",
        L"Garnet (internal)", L"Matrix (internal)", L"Steam2 (internal)"}},
      {SkinListKind::kPackages,
       {L"Afterburner (internal)", L"BlueGauze (internal)", L"FalloutStyle (internal)", L"Garnet (internal)",
        L"Matrix (internal)", L"Steam2 (internal)", L"Two", L"Zen"}},
  };
  for (const Case& c : cases) {
    const SkinList list = ListSkins(kStored, kDirectory, c.kind, CaselessBefore);
    EXPECT_EQ(list.names, c.expected) << static_cast<int>(c.kind);
    EXPECT_EQ(list.first, L"Afterburner (internal)") << static_cast<int>(c.kind);
  }
}

TEST(SkinList, WithoutStoredSkinsTheFirstFoundLeads) {
  const SkinList list = ListSkins({}, {{L"Zen.tpk", false, false}, {L"Aqua", true, true}}, SkinListKind::kBoth, CaselessBefore);
  EXPECT_EQ(list.names, (std::vector<std::wstring>{L"Aqua", L"Zen"}));
  EXPECT_EQ(list.first, L"Zen");
  EXPECT_TRUE(ListSkins({}, {}, SkinListKind::kBoth, CaselessBefore).first.empty());
}

TEST(SkinList, AnEntryBecomesASkinNameUpToItsStoredMarker) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"Garnet (internal)", L"Garnet (internal)"},
      {L"Garnet (internal) - 8.00", L"Garnet (internal)"},  // text after the marker is not the name's
      {L"Aqua", L"Aqua"},
      {L"Zen (copy)", L"Zen (copy)"},
      {L"", L""},
  };
  for (const auto& [entry, name] : cases) EXPECT_EQ(SkinNameOfListEntry(entry, L"(internal)"), name);
  EXPECT_EQ(SkinNameOfListEntry(L"Garnet (internal) x", L""), L"Garnet (internal) x") << "no marker, no cut";
}

}  // namespace

}  // namespace klarvik
