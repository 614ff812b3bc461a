#pragma once
// Shared by the runtime tests: a fresh application object per test (exceptions recorded,
// never shown in a message box) and the count of the process's live GDI objects.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/application.h"
#include "win/live_gdi_objects.h"

namespace klarvik::test {

class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Handles every waiting message of the thread.
  void Pump() { app.ProcessMessages(); }

  TApplication app{nullptr};
  std::vector<std::wstring> errors;  // messages that reached OnException, in order

 private:
  TApplication* previous_ = nullptr;
};

// The message a handler would show for an exception: Exception::Message or what().
std::wstring MessageOf(const std::exception& error);

}  // namespace klarvik::test
