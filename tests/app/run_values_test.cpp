// The Run values on the scratch HKEY_CURRENT_USER: a missing key, a key the user may
// read but not change, and the usual read-write key.
#include "app/run_values.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/app/front_end_fixture.h"

namespace klarvik {
namespace {

using test::DeleteRunKey;
using test::StoredRunValue;
using test::StoreRunValue;

bool RunKeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, test::kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class RunValues : public testing::Test {
 protected:
  void SetUp() override { DeleteRunKey(); }
  void TearDown() override { DeleteRunKey(); }
};

TEST_F(RunValues, WrittenReadAndDeleted) {
  ASSERT_TRUE(WriteRunValue(kTimerValueName, LR"("C:\K\Clockrin.exe" /auto2)"));
  EXPECT_EQ(StoredRunValue(L"Klarvik Timer"), std::optional<std::wstring>(LR"("C:\K\Clockrin.exe" /auto2)"));
  EXPECT_TRUE(RunValueExists(kTimerValueName));
  EXPECT_FALSE(RunValueExists(kAutorunValueName));
  EXPECT_EQ(ReadRunValue(kTimerValueName), LR"("C:\K\Clockrin.exe" /auto2)");
  EXPECT_TRUE(DeleteRunValue(kTimerValueName));
  EXPECT_EQ(StoredRunValue(L"Klarvik Timer"), std::nullopt);
  EXPECT_TRUE(DeleteRunValue(kTimerValueName)) << "deleting twice is no failure";
}

TEST_F(RunValues, MissingKeyHoldsNothingAndIsCreatedByReadingOrWriting) {
  EXPECT_FALSE(RunValueExists(kAutorunValueName));
  EXPECT_TRUE(DeleteRunValue(kAutorunValueName));
  EXPECT_FALSE(RunKeyExists()) << "neither asking nor deleting creates the key";
  EXPECT_EQ(ReadRunValue(kTimerValueName), L"");
  EXPECT_TRUE(RunKeyExists());
  DeleteRunKey();
  EXPECT_TRUE(WriteRunValue(kAutorunValueName, L"x"));
  EXPECT_EQ(StoredRunValue(L"Klarvik Autorun"), std::optional<std::wstring>(L"x"));
}

TEST_F(RunValues, KeyThatMayBeReadButNotChanged) {
  StoreRunValue(L"Klarvik Timer", L"stored");
  const test::ReadOnlyRunKey readOnly;
  ASSERT_TRUE(readOnly.Applied());

  EXPECT_TRUE(RunValueExists(kTimerValueName));
  EXPECT_EQ(ReadRunValue(kTimerValueName), L"stored");
  EXPECT_FALSE(WriteRunValue(kTimerValueName, L"new"));
  EXPECT_FALSE(WriteRunValue(kAutorunValueName, L"new"));
  EXPECT_FALSE(DeleteRunValue(kTimerValueName)) << "the value is still there";
  EXPECT_TRUE(DeleteRunValue(kAutorunValueName)) << "a value that is not there needs no deleting";
  EXPECT_EQ(StoredRunValue(L"Klarvik Timer"), std::optional<std::wstring>(L"stored"));
}

}  // namespace
}  // namespace klarvik
