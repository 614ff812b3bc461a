#include "win/exceptions.h"

#include <windows.h>

#include "win/text.h"

namespace klarvik {

Exception::Exception(std::wstring message) : message_(std::move(message)), utf8_(ToUtf8(message_)) {}

namespace {

std::wstring SystemErrorText(unsigned long errorCode) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : L"error " + std::to_wstring(errorCode);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text;
}

}  // namespace

EOSError::EOSError(const std::wstring& operation, unsigned long errorCode)
    : Exception(operation + L": " + SystemErrorText(errorCode)), errorCode_(errorCode) {}

}  // namespace klarvik
