// The skin directory resolved against the program's folder, and package endings on names.
#include <gtest/gtest.h>

#include <string>

#include "skin/package/skin_locations.h"

namespace klarvik {

namespace {

constexpr wchar_t kProgram[] = L"C:\\Apps\\Klarvik\\";

TEST(SkinLocations, ResolvesTheSkinDirectoryAgainstTheProgramFolder) {
  struct Case {
    const wchar_t* directory;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L".\\Skins", L"C:\\Apps\\Klarvik\\Skins\\"},
      {L"./Skins/", L"C:\\Apps\\Klarvik\\Skins\\"},
      {L"Skins", L"C:\\Apps\\Klarvik\\Skins\\"},
      {L".", L"C:\\Apps\\Klarvik\\"},
      {L"", L"C:\\Apps\\Klarvik\\"},
      {L"..\\Shared", L"C:\\Apps\\Shared\\"},
      {L"..", L"C:\\Apps\\"},
      {L"D:", L"D:\\"},
      {L"C:\\temp", L"C:\\temp\\"},
      {L"c:\\Skins\\", L"c:\\Skins\\"},
      {L"\\\\server\\share\\skins", L"\\\\server\\share\\skins\\"},
      {L"Sub\\Skins/", L"C:\\Apps\\Klarvik\\Sub\\Skins\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolveSkinDirectory(c.directory, kProgram), c.expected) << c.directory;
}

TEST(SkinLocations, APackageEndingInAnyLetterCaseLeavesTheName) {
  struct Case {
    const wchar_t* name;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"Zen.tpk", L"Zen"},
      {L"Zen.TPK", L"Zen"},
      {L"Steam2 (internal).Tpk", L"Steam2 (internal)"},
      {L".tpk", L".tpk"},  // nothing would be left of the name
      {L"X.tpk", L"X"},
      {L"Zen.tpkx", L"Zen.tpkx"},
      {L"Zen", L"Zen"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithoutPackageExtension(c.name), c.expected) << c.name;
}

}  // namespace

}  // namespace klarvik
