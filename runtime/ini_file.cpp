#include "runtime/ini_file.h"

#include <windows.h>

#include <array>

namespace klarvik {

std::wstring TIniFile::ReadString(const std::wstring& section, const std::wstring& ident,
                                  const std::wstring& fallback) const {
  std::array<wchar_t, 2048> buffer{};
  const DWORD length = GetPrivateProfileStringW(section.c_str(), ident.c_str(), fallback.c_str(), buffer.data(),
                                                static_cast<DWORD>(buffer.size()), fileName_.c_str());
  return std::wstring(buffer.data(), length);
}

void TIniFile::WriteString(const std::wstring& section, const std::wstring& ident, const std::wstring& value) {
  // The wide call writes a new file in the ANSI code page, as the narrow one would, and
  // also reaches a settings folder whose path the ANSI code page cannot spell.
  if (!WritePrivateProfileStringW(section.c_str(), ident.c_str(), value.c_str(), fileName_.c_str())) {
    throw EIniFileException(L"Unable to write to " + fileName_);
  }
}

}  // namespace klarvik
