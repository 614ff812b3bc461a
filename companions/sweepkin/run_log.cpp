#include "companions/sweepkin/run_log.h"

#include <windows.h>

#include <algorithm>

#include "win/handles.h"

namespace klarvik::sweepkin {
namespace {

bool EnsureFolder(const std::wstring& path) {
  return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string ReadAll(HANDLE file) {
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file, &size) || size.QuadPart <= 0) return {};
  // A log grown far past its limit by someone else is read only as far as needed.
  const LONGLONG wanted = std::min<LONGLONG>(size.QuadPart, 4 * static_cast<LONGLONG>(kLogLimit));
  LARGE_INTEGER start;
  start.QuadPart = size.QuadPart - wanted;
  if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return {};
  std::string text(static_cast<std::size_t>(wanted), '\0');
  DWORD read = 0;
  if (!ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return {};
  text.resize(read);
  return text;
}

bool WriteAll(HANDLE file, const std::string& text) {
  DWORD written = 0;
  return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

}  // namespace

std::wstring LogFilePath() {
  const DWORD needed = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
  if (needed <= 1) return {};
  std::wstring folder(needed, L'\0');
  folder.resize(GetEnvironmentVariableW(L"APPDATA", folder.data(), needed));
  if (folder.empty()) return {};
  if (folder.back() != L'\\') folder += L'\\';
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
  folder += L"Bramwick";
  if (!EnsureFolder(folder)) return {};
  folder += L"\\Klarvik";
  if (!EnsureFolder(folder)) return {};
  return folder + L"\\Sweepkin.log";
}

std::string KeepNewestLines(const std::string& text, std::size_t limit) {
  if (text.size() <= limit) return text;
  const std::size_t cut = text.find('\n', text.size() - limit - 1);
  return cut == std::string::npos ? std::string() : text.substr(cut + 1);
}

void AppendLogLine(const std::wstring& path, const std::string& line, std::size_t limit) {
  if (path.empty()) return;
  // Not shared for writing: two writers could interleave their trims.
  const UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  const std::string kept = KeepNewestLines(ReadAll(file.Get()) + line + "\r\n", limit);
  LARGE_INTEGER start = {};
  if (!SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN)) return;
  if (WriteAll(file.Get(), kept)) SetEndOfFile(file.Get());
}

}  // namespace klarvik::sweepkin
