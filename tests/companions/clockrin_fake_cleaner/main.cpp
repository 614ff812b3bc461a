// Stands in for the cleaner in the scheduler's tests: appends the command line it was
// started with, as one UTF-16 line, to "cleaner-runs.txt" beside itself, then exits.
#include <windows.h>

#include <string>

#include "win/handles.h"

using namespace klarvik;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return 1;
  path.resize(length);
  path.resize(path.find_last_of(L'\\') + 1);
  path += L"cleaner-runs.txt";

  const UniqueKernelHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 1;
  const std::wstring line = std::wstring(GetCommandLineW()) + L"\n";
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(line.size() * sizeof(wchar_t));
  return WriteFile(file.Get(), line.data(), size, &written, nullptr) && written == size ? 0 : 1;
}
