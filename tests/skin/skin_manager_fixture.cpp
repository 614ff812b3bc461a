#include "tests/skin/skin_manager_fixture.h"

#include "runtime/custom_control.h"
#include "skin/package/package_writer.h"
#include "tests/support/scratch_env.h"
#include "win/handles.h"
#include "win/text.h"

namespace klarvik::test {

namespace {

// Writes down every skin command it receives; answers "passes on" when asked to.
template <class Base>
class Recorder : public Base {
 public:
  Recorder(TComponent* owner, CommandLog& log, std::wstring name, bool passesOn = false)
      : Base(owner), log_(log), name_(std::move(name)), passesOn_(passesOn) {}

  void WndProc(TMessage& message) override {
    if (message.Msg == WM_SKINCOMMAND) {
      if (SkinCommandOf(message.WParam) == SKC_ISSKINNED) {
        message.Result = passesOn_ ? 1 : 0;
        return;
      }
      log_.push_back({name_, SkinCommandOf(message.WParam), message.LParam});
      return;
    }
    Base::WndProc(message);
  }

 private:
  CommandLog& log_;
  std::wstring name_;
  bool passesOn_;
};

const wchar_t* CommandName(WORD command) {
  switch (command) {
    case SKC_SKINLOADED: return L"loaded";
    case SKC_SKINREMOVED: return L"removed";
    case SKC_SKINAPPLIED: return L"applied";
    case SKC_STOPANIMATION: return L"stop";
    default: return L"other";
  }
}

}  // namespace

std::string SmallDefinition(const std::string& mainColor, const std::string& version) {
  return std::string("[GLOBALINFO]\r\nVERSION=").append(version).append("\r\nCOLOR=").append(mainColor).append(
      "\r\nMASTERBITMAP=MASTER.BMP\r\n[BUTTON]\r\nSTATES=3\r\nBORDERSMASK=^0000^0000^0012^0006^0001^0001^0001^0001^3^0^1^0\r\n");
}

std::vector<std::uint8_t> SmallMasterBitmap() {
  // 36 x 6: enough for the button's three states.
  std::vector<std::uint8_t> master = {'B', 'M'};
  const int width = 36, height = 6, stride = width * 3;
  const std::uint32_t size = 54 + stride * height;
  auto put = [&master](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) master.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  put(size, 4), put(0, 4), put(54, 4), put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(24, 2);
  put(0, 4), put(stride * height, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
  for (int i = 0; i < stride * height; ++i) master.push_back(static_cast<std::uint8_t>(i * 7));
  return master;
}

std::vector<std::uint8_t> SmallPackage(const std::string& definition) {
  const std::vector<TacPackageMember> members = {{"Options.dat", std::vector<std::uint8_t>(definition.begin(), definition.end())},
                                                 {"Master.bmp", SmallMasterBitmap()}};
  return WritePackage(members);
}

void WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  const UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(file);
  DWORD written = 0;
  WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void WriteText(const std::wstring& path, const std::string& text) { WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end())); }

void SkinManagerTest::SetUp() {
  RuntimeTest::SetUp();
  directory_ = FreshScratchFolder(L"skin manager skins");
  presser_ = std::make_unique<MessageBoxPresser>();
  manager_ = new TsSkinManager(&app);
  manager_->BeginLoading();
  manager_->SetSkinDirectory(directory_);
  const std::pair<const char*, const char*> stored[] = {{"Amber (internal)", "$0000AA"}, {"Basalt (internal)", "$0000BB"}};
  for (const auto& [name, color] : stored) {
    TsStoredSkin& skin = manager_->InternalSkins().Add();
    skin.SetName(name);
    skin.SetData(SmallPackage(SmallDefinition(color)));
  }
  manager_->SetActive(false);
  manager_->EndLoading();
  manager_->OnBeforeChange = [this](TObject*) { events_.push_back("before"); };
  manager_->OnSkinLoading = [this](TObject*) { events_.push_back("loading"); };
  manager_->OnActivate = [this](TObject*) { events_.push_back("activate"); };
  manager_->OnDeactivate = [this](TObject*) { events_.push_back("deactivate"); };
  manager_->OnAfterChange = [this](TObject*) { events_.push_back("after"); };
}

void SkinManagerTest::TearDown() {
  presser_.reset();
  RemoveTree(directory_);
  RuntimeTest::TearDown();
}

TForm* SkinManagerTest::RecordingForm(const std::wstring& name, bool passesOn) {
  auto* form = new Recorder<TForm>(&app, log_, name);
  auto* panel = new Recorder<TCustomControl>(form, log_, name + L".panel", passesOn);
  panel->SetParent(form);
  auto* inner = new Recorder<TGraphicControl>(form, log_, name + L".panel.inner");
  inner->SetParent(panel);
  auto* label = new Recorder<TGraphicControl>(form, log_, name + L".label");
  label->SetParent(form);
  form->AfterConstruction();
  form->HandleNeeded();
  return form;
}

std::vector<std::wstring> SkinManagerTest::Received() const {
  std::vector<std::wstring> names;
  for (const ReceivedCommand& received : log_) {
    EXPECT_EQ(received.manager, reinterpret_cast<LPARAM>(manager_)) << "sent by another manager";
    names.push_back(received.receiver + L":" + CommandName(received.command));
  }
  return names;
}

}  // namespace klarvik::test
