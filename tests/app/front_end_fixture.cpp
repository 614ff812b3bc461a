#include "tests/app/front_end_fixture.h"

#include <sddl.h>

#include "app/companions.h"
#include "app/program_folders.h"
#include "app/status_form.h"
#include "tests/fixtures/dummy_child.h"
#include "tests/support/scratch_env.h"
#include "win/handles.h"

namespace klarvik::test {

std::optional<std::wstring> StoredRunValue(const wchar_t* name) {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, name, RRF_RT_REG_SZ, nullptr, text.data(), &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(text.data());
}

void StoreRunValue(const wchar_t* name, const std::wstring& data) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, name, REG_SZ, data.c_str(),
                            static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

void DeleteRunKey() { RegDeleteTreeW(HKEY_CURRENT_USER, kRunKey); }

namespace {

bool SetRunKeyAccess(const wchar_t* sddl) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, WRITE_DAC, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const UniqueHkey owned(key);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr)) return false;
  const LSTATUS status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
  LocalFree(descriptor);
  return status == ERROR_SUCCESS;
}

}  // namespace

ReadOnlyRunKey::ReadOnlyRunKey() : applied_(SetRunKeyAccess(L"D:P(A;;KR;;;WD)")) {}

ReadOnlyRunKey::~ReadOnlyRunKey() { SetRunKeyAccess(L"D:P(A;;KA;;;WD)"); }

ScopedVariable::ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
  SetEnvironmentVariableW(name, value.c_str());
}

ScopedVariable::~ScopedVariable() { SetEnvironmentVariableW(name_.c_str(), nullptr); }

std::wstring OwnName(const std::wstring& stem) { return stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L".exe"; }

std::wstring PlaceStandIn(const std::wstring& folder, const std::wstring& name) {
  std::wstring self(MAX_PATH, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
  const std::wstring source = self.substr(0, self.find_last_of(L'\\') + 1) + kDummyChildFileName;
  const std::wstring path = folder + name;
  return CopyFileW(source.c_str(), path.c_str(), FALSE) ? path : std::wstring();
}

std::vector<DWORD> ProcessesAt(const std::wstring& path) {
  std::vector<DWORD> found;
  for (const DWORD id : RunningProcessIds()) {
    const std::wstring image = QueriedImagePath(id);
    if (CompareStringOrdinal(image.c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL) found.push_back(id);
  }
  return found;
}

void EndProcess(DWORD id) {
  const UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
  if (!process) return;
  TerminateProcess(process.Get(), 0);
  WaitForSingleObject(process.Get(), 5000);
}

std::vector<std::wstring> LoggedArguments(const std::wstring& log) {
  std::vector<std::wstring> lines;
  const UniqueKernelHandle file(CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return lines;
  std::wstring text(GetFileSize(file.Get(), nullptr) / sizeof(wchar_t), L'\0');
  DWORD read = 0;
  ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
  text.resize(read / sizeof(wchar_t));
  for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

void WriteFileOfSize(const std::wstring& path, DWORD size) {
  const UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(file);
  const std::vector<char> bytes(size, 'k');
  DWORD written = 0;
  WriteFile(file.Get(), bytes.data(), size, &written, nullptr);
}

void FrontEndTest::SetUp() {
  DeleteRunKey();
  temp_ = FreshScratchFolder(L"front-end-temp");
  SetEnvironmentVariableW(L"TMP", temp_.c_str());
  programFolder_ = FreshScratchFolder(L"front end program");
  cleaner_ = OwnName(L"Sweepkin");
  scheduler_ = OwnName(L"Clockrin");
  ASSERT_FALSE(PlaceStandIn(programFolder_, cleaner_).empty());
  ASSERT_FALSE(PlaceStandIn(programFolder_, scheduler_).empty());
  log_ = programFolder_ + L"arguments.log";
  logVariable_ = std::make_unique<ScopedVariable>(kArgumentLogVariable, log_);
  previousProgramFolder_ = ProgramFolder;
  previous_ = Application;
  app_ = std::make_unique<TApplication>(nullptr);
  Application = app_.get();
  app_->OnException = [this](TObject*, const std::exception& e) { errors_.push_back(e.what()); };
}

void FrontEndTest::TearDown() {
  app_.reset();
  StatusForm1 = nullptr;
  Application = previous_;
  TerminateProcessByName(cleaner_);
  TerminateProcessByName(scheduler_);
  logVariable_.reset();
  ProgramFolder = previousProgramFolder_;
  SetEnvironmentVariableW(L"TMP", (ScratchRoot() + L"temp\\").c_str());
  DeleteRunKey();
}

TForm1* FrontEndTest::Open() {
  TForm1* form = nullptr;
  app_->CreateForm(form);
  app_->CreateForm(StatusForm1);
  return form;
}

void FrontEndTest::UseStandIns(TForm1* form) {
  ProgramFolder = programFolder_;
  form->CleanerFileName = cleaner_;
  form->SchedulerFileName = scheduler_;
}

bool FrontEndTest::PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    app_->ProcessMessages();
    if (done()) return true;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left < 10 ? left : 10), QS_ALLINPUT);
  }
}

void FrontEndTest::PumpFor(std::chrono::milliseconds span) {
  PumpUntil([] { return false; }, span);
}

}  // namespace klarvik::test
