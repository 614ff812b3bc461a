#pragma once
// A skin manager among real forms: stored skins and a scratch skin directory of the
// test's own, forms whose window and controls record the skin commands they receive, and
// message boxes pressed and recorded.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/forms.h"
#include "runtime/graphic_control.h"
#include "skin/manager/skin_manager.h"
#include "tests/support/message_box_presser.h"
#include "tests/support/runtime_test_support.h"

namespace klarvik::test {

// One received skin command: who got it, which command, from which manager.
struct ReceivedCommand {
  std::wstring receiver;
  WORD command;
  LPARAM manager;
  bool operator==(const ReceivedCommand&) const = default;
};
using CommandLog = std::vector<ReceivedCommand>;

// A definition of version 8.40 whose main colour tells the skins apart.
std::string SmallDefinition(const std::string& mainColor, const std::string& version = "8.40");
std::vector<std::uint8_t> SmallMasterBitmap();
std::vector<std::uint8_t> SmallPackage(const std::string& definition);
void WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes);
void WriteText(const std::wstring& path, const std::string& text);

class SkinManagerTest : public RuntimeTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A form with a windowed and a windowless control, all recording into `log`; the
  // windowed one passes commands on itself when `passesOn` is set.
  TForm* RecordingForm(const std::wstring& name, bool passesOn = false);
  // The commands the forms received, as names: "form:loaded"...
  std::vector<std::wstring> Received() const;

  std::wstring directory_;  // the scratch skin directory, with its final backslash
  TsSkinManager* manager_ = nullptr;
  CommandLog log_;
  std::vector<std::string> events_;
  std::unique_ptr<MessageBoxPresser> presser_;
};

}  // namespace klarvik::test
