// The INI file: values written and read back, the fallback, and a file that cannot be
// written.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "runtime/ini_file.h"
#include "tests/support/scratch_env.h"
#include "win/text.h"

namespace klarvik {

namespace {

std::string FileText(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(IniFile, WritesPlainIniLinesAndReadsThemBack) {
  const std::wstring path = test::FreshScratchFolder(L"ini_written") + L"settings.ini";
  TIniFile ini(path);
  ini.WriteString(L"SKIN", L"TYPE", L"Matrix (internal)");
  EXPECT_EQ(FileText(path), "[SKIN]\r\nTYPE=Matrix (internal)\r\n");
  ini.WriteString(L"SKIN", L"TYPE", L"NIL");
  EXPECT_EQ(FileText(path), "[SKIN]\r\nTYPE=NIL\r\n");
  EXPECT_EQ(TIniFile(path).ReadString(L"SKIN", L"TYPE", L"fallback"), L"NIL");
}

TEST(IniFile, MissingFileSectionOrKeyGiveTheFallback) {
  const std::wstring folder = test::FreshScratchFolder(L"ini_missing");
  EXPECT_EQ(TIniFile(folder + L"none.ini").ReadString(L"SKIN", L"TYPE", L"NIL"), L"NIL");
  TIniFile ini(folder + L"settings.ini");
  ini.WriteString(L"OTHER", L"TYPE", L"x");
  EXPECT_EQ(ini.ReadString(L"SKIN", L"TYPE", L"NIL"), L"NIL");
  EXPECT_EQ(ini.ReadString(L"OTHER", L"KIND", L"NIL"), L"NIL");
  EXPECT_EQ(ini.ReadString(L"other", L"type", L"NIL"), L"x") << "sections and keys ignore letter case";
}

TEST(IniFile, ReadsAtMost2047Characters) {
  const std::wstring path = test::FreshScratchFolder(L"ini_long") + L"settings.ini";
  TIniFile ini(path);
  ini.WriteString(L"SKIN", L"TYPE", std::wstring(3000, L'a'));
  EXPECT_EQ(ini.ReadString(L"SKIN", L"TYPE", L"NIL"), std::wstring(2047, L'a'));
}

TEST(IniFile, AFileThatCannotBeWrittenRaisesWithItsPath) {
  const std::wstring path = test::FreshScratchFolder(L"ini_unwritable") + L"no such folder\\settings.ini";
  TIniFile ini(path);
  try {
    ini.WriteString(L"SKIN", L"TYPE", L"NIL");
    FAIL() << "the write went through";
  } catch (const EIniFileException& error) {
    EXPECT_EQ(error.Message(), L"Unable to write to " + path);
  }
}

}  // namespace

}  // namespace klarvik
