#pragma once
// What the main-window tests share: a main window and status window of their own
// application, the Run key read and written past the code under test, stand-in
// companion programs, and a presser for the message boxes the window shows.
#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "runtime/application.h"
#include "tests/support/message_box_presser.h"

namespace klarvik::test {

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The value's text, or nothing when the Run key does not hold it.
std::optional<std::wstring> StoredRunValue(const wchar_t* name);
void StoreRunValue(const wchar_t* name, const std::wstring& data);
void DeleteRunKey();

// The Run key with a list that lets everyone read it and nobody change it, while the
// object lives; full access comes back at the end so the scratch key can be removed.
class ReadOnlyRunKey {
 public:
  ReadOnlyRunKey();
  ReadOnlyRunKey(const ReadOnlyRunKey&) = delete;
  ReadOnlyRunKey& operator=(const ReadOnlyRunKey&) = delete;
  ~ReadOnlyRunKey();
  bool Applied() const { return applied_; }

 private:
  bool applied_ = false;
};

// Sets an environment variable for the scope, removing it at the end.
class ScopedVariable {
 public:
  ScopedVariable(const wchar_t* name, const std::wstring& value);
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;
  ~ScopedVariable();

 private:
  std::wstring name_;
};

// "<stem>-<process id>.exe": a stand-in name no other test process uses.
std::wstring OwnName(const std::wstring& stem);
// Copies the stand-in program into `folder` as `name`; the path, or empty on failure.
std::wstring PlaceStandIn(const std::wstring& folder, const std::wstring& name);
// Ids of the running processes started from `path` (any letter case).
std::vector<DWORD> ProcessesAt(const std::wstring& path);
// Ends one process.
void EndProcess(DWORD id);
// Lines the stand-ins appended to a log named by kArgumentLogVariable.
std::vector<std::wstring> LoggedArguments(const std::wstring& log);

void WriteFileOfSize(const std::wstring& path, DWORD size);

// A main window and the hidden status window, with a temp folder of the test's own,
// stand-in companions in a scratch program folder, and errors recorded, never shown.
class FrontEndTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates both windows as the program does; FormCreate runs with the test's
  // program folder (that of the test program).
  TForm1* Open();
  // Points the open window at the scratch program folder and the stand-in names.
  void UseStandIns(TForm1* form);

  // Handles messages until done() holds or the time is up; returns done().
  bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);
  void PumpFor(std::chrono::milliseconds span);

  std::wstring temp_;
  std::wstring programFolder_;  // scratch program folder holding both stand-ins
  std::wstring cleaner_;        // stand-in cleaner's file name there
  std::wstring scheduler_;      // stand-in scheduler's file name there
  std::wstring log_;            // where the stand-ins log their arguments
  std::unique_ptr<ScopedVariable> logVariable_;
  std::unique_ptr<TApplication> app_;
  std::vector<std::string> errors_;

 private:
  TApplication* previous_ = nullptr;
  std::wstring previousProgramFolder_;
};

}  // namespace klarvik::test
