#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "companions/clockrin/period_argument.h"

namespace klarvik {

namespace {

using klarvik::clockrin::PeriodHoursFromCommandLine;

TEST(ClockrinArguments, OnlyTheOfferedPeriodsAsFirstArgument) {
  struct Case {
    const wchar_t* commandLine;
    std::optional<unsigned> hours;
  };
  const Case cases[] = {
      {L"Clockrin.exe /auto1", 1u},
      {L"Clockrin.exe /auto2", 2u},
      {L"Clockrin.exe /auto3", 3u},
      {L"Clockrin.exe /auto4", 4u},
      {L"Clockrin.exe /auto5", 5u},
      {L"Clockrin.exe /auto6", 6u},
      {L"Clockrin.exe /auto8", 8u},
      {L"Clockrin.exe /auto12", 12u},
      // Started from a Run value, quoted or not, or by the shell, which quotes.
      {L"C:\\Program Files\\Klarvik\\Clockrin.exe /auto8", 8u},
      {L"c:\\program files\\klarvik\\CLOCKRIN.EXE\t/auto8", 8u},
      {L"\"C:\\Program Files\\Klarvik\\Clockrin.exe\" /auto8", 8u},
      {L"C:\\Program Files\\Klarvik\\Clockrin.exe", std::nullopt},
      {L"C:\\Program Files\\Klarvik\\Clockrin.exe2 /auto8", std::nullopt},
      {L"C:\\Program Files\\Other\\Clockrin.exe /auto8", std::nullopt},
      {L"Clockrin.exe /auto12 /auto1", 12u},
      {L"Clockrin.exe /del /auto1", std::nullopt},
      {L"Clockrin.exe", std::nullopt},
      {L"", std::nullopt},
      {L"Clockrin.exe \"\" /auto1", std::nullopt},
      {L"Clockrin.exe /auto", std::nullopt},
      {L"Clockrin.exe /auto0", std::nullopt},
      {L"Clockrin.exe /auto7", std::nullopt},
      {L"Clockrin.exe /auto9", std::nullopt},
      {L"Clockrin.exe /auto24", std::nullopt},
      {L"Clockrin.exe /auto08", std::nullopt},
      {L"Clockrin.exe /auto+8", std::nullopt},
      {L"Clockrin.exe /auto8x", std::nullopt},
      {L"Clockrin.exe /auto4294967304", std::nullopt},  // 2^32 + 8
      {L"Clockrin.exe /auto 8", std::nullopt},
      {L"Clockrin.exe auto8", std::nullopt},
      {L"Clockrin.exe -auto8", std::nullopt},
      {L"Clockrin.exe /AUTO8", std::nullopt},
  };
  const std::wstring program = L"C:\\Program Files\\Klarvik\\Clockrin.exe";
  for (const auto& c : cases) {
    EXPECT_EQ(PeriodHoursFromCommandLine(c.commandLine, program), c.hours)
        << "command line: " << testing::PrintToString(std::wstring(c.commandLine));
  }
}

}  // namespace

}  // namespace klarvik
