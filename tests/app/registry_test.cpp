// TRegistry on the scratch HKEY_CURRENT_USER: path forms, rights, and the value calls.
#include "win/registry.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

namespace klarvik {

namespace {

constexpr wchar_t kKey[] = L"Software\\Klarvik Registry Test";

class Registry : public testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
};

// A leading backslash names the path from the root; the system refuses it as such.
TEST_F(Registry, PathWithOrWithoutLeadingBackslashOpensTheSameKey) {
  TRegistry writer(KEY_SET_VALUE);
  ASSERT_TRUE(writer.OpenKey(std::wstring(L"\\") + kKey, true));
  ASSERT_TRUE(writer.WriteString(L"name", L"data"));
  for (const std::wstring& path : {std::wstring(L"\\") + kKey, std::wstring(kKey)}) {
    SCOPED_TRACE(path);
    TRegistry reader(KEY_QUERY_VALUE);
    ASSERT_TRUE(reader.OpenKey(path, false));
    EXPECT_EQ(reader.ReadString(L"name"), L"data");
  }
}

TEST_F(Registry, OpensAMissingKeyOnlyWhenAllowedToCreateIt) {
  TRegistry registry(KEY_QUERY_VALUE);
  EXPECT_FALSE(registry.OpenKey(kKey, false));
  EXPECT_EQ(registry.LastOpenStatus(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(registry.HasOpenKey());
  EXPECT_TRUE(registry.OpenKey(kKey, true));
  EXPECT_TRUE(registry.HasOpenKey());
  EXPECT_TRUE(registry.OpenKey(kKey, false));
}

TEST_F(Registry, KeyOpenedForQueryingCannotBeChanged) {
  TRegistry registry(KEY_QUERY_VALUE);
  ASSERT_TRUE(registry.OpenKey(kKey, true));
  EXPECT_FALSE(registry.WriteString(L"name", L"data"));
  EXPECT_FALSE(registry.ValueExists(L"name"));
}

TEST_F(Registry, ValuesOfEveryKind) {
  TRegistry registry(KEY_QUERY_VALUE | KEY_SET_VALUE);
  ASSERT_TRUE(registry.OpenKey(kKey, true));
  const DWORD number = 5;
  RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"number", REG_DWORD, &number, sizeof number);
  const wchar_t expandable[] = L"%TMP%\\x";
  RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"expandable", REG_EXPAND_SZ, expandable, sizeof expandable);
  const std::wstring longText(5000, L'k');
  ASSERT_TRUE(registry.WriteString(L"long", longText));
  ASSERT_TRUE(registry.WriteString(L"empty", L""));

  EXPECT_TRUE(registry.ValueExists(L"number"));
  EXPECT_EQ(registry.ReadString(L"number"), L"") << "not a string";
  EXPECT_EQ(registry.ReadString(L"expandable"), expandable) << "read as stored, not expanded";
  EXPECT_EQ(registry.ReadString(L"long"), longText);
  EXPECT_TRUE(registry.ValueExists(L"empty"));
  EXPECT_EQ(registry.ReadString(L"empty"), L"");
  EXPECT_FALSE(registry.ValueExists(L"absent"));
  EXPECT_EQ(registry.ReadString(L"absent"), L"");

  EXPECT_TRUE(registry.DeleteValue(L"long"));
  EXPECT_FALSE(registry.ValueExists(L"long"));
  EXPECT_TRUE(registry.DeleteValue(L"long")) << "a value that is not there is gone already";
}

TEST_F(Registry, WithoutAnOpenKeyNothingIsReadOrWritten) {
  TRegistry registry(KEY_ALL_ACCESS);
  EXPECT_FALSE(registry.ValueExists(L"name"));
  EXPECT_EQ(registry.ReadString(L"name"), L"");
  EXPECT_FALSE(registry.WriteString(L"name", L"data"));
  EXPECT_FALSE(registry.DeleteValue(L"name"));
  ASSERT_TRUE(registry.OpenKey(kKey, true));
  registry.CloseKey();
  EXPECT_FALSE(registry.WriteString(L"name", L"data"));
}

}  // namespace

}  // namespace klarvik
